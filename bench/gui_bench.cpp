#include "ctlnoteinput.h"
#include "frmmain.h"
#include "uiplatform.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>

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

namespace {

// Shows each modal window until it is on screen, then closes it.
class ShowOnce : public chordvane::QtDialogs {
public:
    void runModal(QDialog *dialog) override
    {
        dialog->show();
        while (!dialog->isVisible())
            QApplication::processEvents();
        QApplication::processEvents();
        dialog->close();
    }
};

// The search does not sound.
class Silent : public chordvane::sound::SoundOutput {
public:
    chordvane::sound::SoundProblem play(const std::vector<chordvane::sound::Tone> &) override
    {
        return chordvane::sound::SoundProblem::None;
    }
    void stop() override {}
    std::vector<std::string> problemDetails() const override { return {}; }
};

} // namespace

// From pressing the search button to the results window shown: the chord
// list read, the search, and the results window built and filled.
void BM_SearchButtonToResults(benchmark::State &state)
{
    ShowOnce dialogs;
    Silent silent;
    chordvane::frmMain window(dialogs, silent, CHORDVANE_DATA_DIR);
    window.show();
    const int notes[] = {5, 8, 11, 3}; // E G B♭ D over C
    window.ctlNoteInput[11]->setValue(1);
    for (int r = 0; r < 4; ++r)
        window.ctlNoteInput[r]->setValue(notes[r]);
    window.mnuOptionCodeRate[0]->trigger(); // 10 %: a long list
    for (auto _ : state)
        window.cmdSearchCode->click();
}
BENCHMARK(BM_SearchButtonToResults)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
