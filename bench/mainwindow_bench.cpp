#include "ctlnoteinput.h"
#include "frmmain.h"
#include "uiplatform.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

#include <benchmark/benchmark.h>

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

} // namespace

// From pressing the search button to the results window shown: the chord
// list read, the search, and the results window built and filled.
void BM_SearchButtonToResults(benchmark::State &state)
{
    ShowOnce dialogs;
    chordvane::frmMain window(dialogs, CHORDVANE_DATA_DIR);
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
