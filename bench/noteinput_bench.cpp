#include "ctlnoteinput.h"

#include <QApplication>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

// A hover over the staff at the main window's size (89 x 73): the whole area
// is cleared and drawn again with the ghost and the entered note.
void BM_HoverRedraw(benchmark::State &state)
{
    chordvane::ctlNoteInput control;
    control.resize(89, 73);
    control.show();
    QWidget *area = control.picMain();
    int i = 0;
    for (auto _ : state) {
        const QPointF local(20, 10 + (i++ % 50));
        QMouseEvent move(QEvent::MouseMove, local, area->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
    }
}
BENCHMARK(BM_HoverRedraw);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
