#include "ctlnoteinput.h"
#include "frmmain.h"
#include "scorebrowser.h"
#include "uiplatform.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>

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
    window.row(11).ctlNoteInput()->setValue(1);
    for (int r = 0; r < 4; ++r)
        window.row(r).ctlNoteInput()->setValue(notes[r]);
    window.mnuOptionCodeRate[0]->trigger(); // 10 %: a long list
    for (auto _ : state)
        window.cmdSearchCode->click();
}
BENCHMARK(BM_SearchButtonToResults)->Unit(benchmark::kMillisecond);

namespace {

// A band of fourteen parts, every one playing a two-note chord on each beat
// of 32 measures, so that a step fills eleven part rows, the bass row and
// reaches past them.
QByteArray bandScore()
{
    QByteArray parts, list;
    for (int p = 0; p < 14; ++p) {
        const QByteArray id = "P" + QByteArray::number(p);
        list += "<score-part id=\"" + id + "\"><part-name>Part " + QByteArray::number(p) +
                "</part-name></score-part>";
        parts += "<part id=\"" + id + "\">";
        for (int m = 1; m <= 32; ++m) {
            parts += "<measure number=\"" + QByteArray::number(m) + "\">";
            if (m == 1)
                parts += "<attributes><divisions>1</divisions><clef><sign>" +
                         QByteArray(p < 10 ? "G" : "F") + "</sign></clef><transpose><chromatic>" +
                         QByteArray::number(-(p % 4)) + "</chromatic></transpose></attributes>";
            for (int beat = 0; beat < 4; ++beat) {
                const int octave = p < 10 ? 4 : 2;
                const char step = "CDEFGAB"[(p + m + beat) % 7];
                for (int n = 0; n < 2; ++n)
                    parts += QByteArray(n ? "<note><chord/>" : "<note>") + "<pitch><step>" + step +
                             "</step><octave>" + QByteArray::number(octave + n) +
                             "</octave></pitch><duration>1</duration></note>";
            }
            parts += "</measure>";
        }
        parts += "</part>";
    }
    return "<score-partwise><part-list>" + list + "</part-list>" + parts + "</score-partwise>";
}

} // namespace

// One step to the next or the previous moment: the rows refilled, the
// moment's chord named and the window repainted, as when a key is held.
void BM_ScoreStep(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("band.musicxml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bandScore()) < 0) {
        state.SkipWithError("cannot write the score");
        return;
    }
    file.close();
    ShowOnce dialogs;
    Silent silent;
    chordvane::frmMain window(dialogs, silent, CHORDVANE_DATA_DIR);
    window.show();
    chordvane::ScoreBrowser &browser = window.scoreBrowser();
    if (!browser.openScore(path)) {
        state.SkipWithError("cannot read the score");
        return;
    }
    QApplication::processEvents();
    int i = 0;
    for (auto _ : state) {
        (i++ % 2 ? browser.mnuScorePrevious : browser.mnuScoreNext)->trigger();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ScoreStep)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
