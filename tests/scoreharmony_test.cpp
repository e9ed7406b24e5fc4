// The score's harmony in the window: the chart, the copy with its chord
// symbols, and the tuning panel with its sheet.
#include "scorebrowsertesting.h"

#include <QClipboard>
#include <QGuiApplication>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace chordvane;
using chordvane::test::kScores;
using chordvane::test::ScoreBrowserTest;

TEST_F(ScoreBrowserTest, TheChartIsWrittenIntoACopyOfTheScore)
{
    QFile original(kScores + "/band.musicxml");
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QString in =
        QString::fromStdString(data.write("band.musicxml", original.readAll().toStdString()));
    openScore(in);
    const QString out = QString::fromStdString(data.path() + "/copy.musicxml");
    dialogs.savedFile = out;
    browser().mnuScoreAnnotate->trigger();
    // Offered beside the score under a name of its own.
    EXPECT_EQ(dialogs.saveRequests.value(0).section('|', 1, 1),
              QString::fromStdString(data.path() + "/band (コード付き).musicxml"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0],
              "information|Chordvane|コード名を 5 個書き込んで保存しました\n" + out);
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll().count("<harmony"), 5);

    // The score itself is never overwritten.
    dialogs.savedFile = in;
    browser().mnuScoreAnnotate->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].startsWith(
        "exclamation|Chordvane|保存できませんでした\n元のスコアと同じファイルには保存しません"))
        << dialogs.messages[1].toStdString();
    original.seek(0);
    QFile kept(in);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), original.readAll());
}

TEST_F(ScoreBrowserTest, TheChartIsForTheChosenInstrumentAndClosesAlone)
{
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_H);
    ChartWindow *chart = browser().chart();
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    struct Case {
        const char *instrument;
        const char *first; // concert Am7/C
        const char *then;  // concert D/G
    };
    const Case cases[] = {
        {"in B♭", "Bm7/D", "E/A"},  {"in E♭", "F♯m7/A", "B/E"}, {"in F", "Em7/G", "A/D"},
        {"in A", "Cm7/E♭", "F/B♭"}, {"in D", "Gm7/B♭", "C/F"},  {"in G", "Dm7/F", "G/C"},
        {"in C", "Am7/C", "D/G"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.instrument);
        chart->cboInstrument->setCurrentIndex(chart->cboInstrument->findText(c.instrument));
        EXPECT_EQ(test::shownSymbol(chart->view(), 1), c.first);
        EXPECT_EQ(test::shownSymbol(chart->view(), 2), c.then);
    }

    // Its own keys: Ctrl+W and Esc close the chart, never the score.
    chart->activateWindow();
    QTest::keyClick(chart->view(), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(chart->isVisible());
    EXPECT_TRUE(browser().isOpen());
    browser().mnuScoreChart->trigger();
    ASSERT_TRUE(chart->isVisible());
    QTest::keyClick(chart->view(), Qt::Key_Escape);
    EXPECT_FALSE(chart->isVisible());
    EXPECT_TRUE(browser().isOpen());
}

TEST_F(ScoreBrowserTest, TheChartIsCopiedSavedAndPrintedAsAMusicStandShowsIt)
{
    const auto readFile = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QString in = QString::fromStdString(
        data.write("lead.musicxml", readFile(kScores + "/leadsheet.musicxml").toStdString()));
    openScore(in);
    press(Qt::Key_H);
    ChartWindow *chart = browser().chart();
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    chart->cboInstrument->setCurrentIndex(chart->cboInstrument->findText("in B♭"));
    QTest::mouseClick(chart->cmdCopy, Qt::LeftButton);
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_EQ(text.section('\n', 0, 3).toStdString(),
              "Étude 練習曲\nB♭ の楽器用\n調: D 長調   拍子: 3/4\n"
              "   1 | D              | %              | G              |");
    // Ctrl+C in the chart copies it too.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(chart->view(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);

    const QString txt = QString::fromStdString(data.path() + "/chart.txt");
    dialogs.savedFile = txt;
    QTest::mouseClick(chart->cmdSaveText, Qt::LeftButton);
    EXPECT_EQ(dialogs.saveRequests.value(0).section('|', 1, 1),
              QString::fromStdString(data.path() + "/lead (コード進行).txt"));
    EXPECT_EQ(QString::fromUtf8(readFile(txt)), text);
    const QString pdf = QString::fromStdString(data.path() + "/chart.pdf");
    dialogs.savedFile = pdf;
    QTest::mouseClick(chart->cmdSavePdf, Qt::LeftButton);
    EXPECT_TRUE(readFile(pdf).startsWith("%PDF"));
    dialogs.savedFile = QString::fromStdString(data.path() + "/no/such/chart.pdf");
    QTest::mouseClick(chart->cmdSavePdf, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("exclamation|Chordvane|保存できませんでした"));

    // Printing asks through the desktop's print dialog; cancelled, it prints nothing.
    dialogs.onModal = nullptr;
    QTest::mouseClick(chart->cmdPrint, Qt::LeftButton);
    EXPECT_EQ(dialogs.modalCount, 1);
}

TEST_F(ScoreBrowserTest, AScoreChangedSinceOpeningIsNotAnnotated)
{
    QFile original(kScores + "/band.musicxml");
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray band = original.readAll();
    const QString in = QString::fromStdString(data.write("band.musicxml", band.toStdString()));
    openScore(in);
    // Changed on disk after it was opened: a note and a comment more.
    QByteArray changed = band;
    changed.replace("</score-partwise>", "<!-- edited --></score-partwise>");
    data.write("band.musicxml", changed.toStdString());
    const QString out = QString::fromStdString(data.path() + "/copy.musicxml");
    dialogs.savedFile = out;
    browser().mnuScoreAnnotate->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith(
        "question|Chordvane|スコアのファイルが開いた後で変更されています。"))
        << dialogs.messages[0].toStdString();
    EXPECT_FALSE(QFile::exists(out));

    // Reopened, it is annotated as it is now.
    dialogs.answerYes = true;
    browser().mnuScoreAnnotate->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_FALSE(QFile::exists(out));
    browser().mnuScoreAnnotate->trigger();
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_TRUE(dialogs.messages[2].startsWith("information|Chordvane|"))
        << dialogs.messages[2].toStdString();
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("<!-- edited -->"));
}

TEST_F(ScoreBrowserTest, TheTuningPanelFollowsTheStepAndTheSheetIsWrittenOut)
{
    QFile original(kScores + "/tuning_band.musicxml");
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray score = original.readAll();
    const QString in = QString::fromStdString(data.write("band.musicxml", score.toStdString()));
    openScore(in);
    const TuningPanel *panel = browser().tuningPanel();
    const int narrow = window->width();
    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.right() - window->frameGeometry().width() + 1, screen.top());
    press(Qt::Key_G); // the panel comes beside the rows, and the window makes room on the screen
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->width() > narrow; }, 2000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen.contains(window->frameGeometry()); }, 2000));
    press(Qt::Key_Right);
    EXPECT_EQ(panel->lblSeventh->text(), "短7度の純正 9:5");
    QStringList shown = {panel->lblStep->text()};
    for (int r = 0; r < panel->tblParts->rowCount(); ++r) {
        for (int column = 0; column < 5; ++column)
            shown << panel->tblParts->item(r, column)->text();
    }
    EXPECT_EQ(shown.join('|').toStdString(),
              "小節 1　拍 3　F7|Trumpet in B♭|F5|E♭5|♭7|+17.9 ↑|Alto Saxophone|A5|C5|5|+2 ↑|"
              "Horn in F|E4|A3|3|-13.7 ↓|Tuba|F2|F2|1|0");
    window->fitInto(QSize(narrow + 10, 2000)); // no room for both: the rows scroll
    EXPECT_LE(window->width(), narrow + 10);
    press(Qt::Key_G);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->width() == narrow; }, 2000));

    const QString out = QString::fromStdString(data.path() + "/sheet.csv");
    for (const QString &chosen : {in, out}) {
        dialogs.savedFile = chosen;
        browser().mnuScoreTuningSave->trigger();
    }
    EXPECT_EQ(dialogs.saveRequests.value(0).section('|', 1, 1),
              QString::fromStdString(data.path() + "/band (音程補正).csv"));
    EXPECT_EQ(dialogs.messages,
              (QStringList{"exclamation|Chordvane|保存できませんでした\n元のスコアと同じファイルに"
                           "は保存しません。別の名前を選んでください。\n" +
                               in,
                           "information|Chordvane|音程補正表を 18 行書き出しました\n" + out}));
    QFile kept(in), sheet(out);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly) && sheet.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), score);
    const QList<QByteArray> lines = sheet.readAll().split('\n');
    EXPECT_EQ(lines.size(), 20); // the heading, 18 lines and nothing after the last CR LF
    EXPECT_EQ((lines[0] + lines[1]).toStdString(),
              "\xEF\xBB\xBF小節,拍,コード,パート,記譜音,実音,度数,セント (短7度 9:5)\r"
              "1,1,B♭,Trumpet in B♭,E5,D5,3,-13.7\r");
    EXPECT_EQ(lines[18].toStdString(), "3,1,N.C.,Tuba,B♭2,B♭2,コードなし,-\r");

    // Another seventh: the panel and the next sheet take it and say so.
    window->mnuOptionSeventhItem[2]->trigger();
    press(Qt::Key_G);
    EXPECT_EQ(panel->lblSeventh->text(), "短7度の純正 7:4");
    EXPECT_EQ(panel->tblParts->item(0, 4)->text(), "-31.2 ↓");
    browser().mnuScoreTuningSave->trigger();
    sheet.close();
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    const QList<QByteArray> again = sheet.readAll().split('\n');
    EXPECT_TRUE(again[0].endsWith("セント (短7度 7:4)\r"));
    EXPECT_EQ(again[6].toStdString(), "1,3,F7,Trumpet in B♭,F5,E♭5,♭7,-31.2\r");
}

TEST_F(ScoreBrowserTest, ThePanelDescribesTheMomentTheRowsShowAndWorksOnlyWhenShown)
{
    openScore(kScores + "/tuning_advice.musicxml");
    const TuningPanel *panel = browser().tuningPanel();
    EXPECT_EQ(panel->tblParts->rowCount(), 0); // hidden: nothing worked out
    EXPECT_EQ(panel->lblStep->text(), "");
    const auto shown = [panel] {
        QStringList cells = {panel->lblStep->text()};
        for (int r = 0; r < panel->tblParts->rowCount(); ++r) {
            for (int column = 0; column < 5; ++column)
                cells << panel->tblParts->item(r, column)->text();
        }
        return cells.join('|').toStdString();
    };
    press(Qt::Key_G);
    // The opening unison of a C/E measure: nobody bends; the piano is the reference.
    EXPECT_EQ(shown(), "小節 1　拍 1　C/E|Trombone 1|E4|E4|ユニゾン|—|Trombone 2|E3|E3|ユニゾン|—|"
                       "Piano|E5|E5|ユニゾン|基準|Tuba|E2|E2|ユニゾン|—");
    press(Qt::Key_Right);
    EXPECT_EQ(shown(), "小節 1　拍 3　C|Trombone 1|E4|E4|3|-13.7 ↓|Trombone 2|C4|C4|1|0|"
                       "Piano|C5|C5|1|基準|Piano|G4|G4|5|基準|Tuba|C2|C2|1|0");
    // Hidden, it follows nothing; shown again, it is on the rows' moment.
    press(Qt::Key_G);
    press(Qt::Key_Right);
    EXPECT_TRUE(panel->isHidden());
    press(Qt::Key_G);
    EXPECT_EQ(shown(), "小節 2　拍 1　F7|Trombone 1|A3|A3|3|-13.7 ↓|Trombone 2|E♭4|E♭4|♭7|+17.9 ↑|"
                       "Piano|C5|C5|5|基準|Tuba|F2|F2|1|0");
}

TEST_F(ScoreBrowserTest, ThePanelFollowsTheMomentWithinAStep)
{
    // Measure 1 of the band score is one step, Am7/C, while the bass moves
    // on beat 3: the panel shows the bass the rows show, not the step's first.
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_G);
    const TuningPanel *panel = browser().tuningPanel();
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_Right);
        QStringList lines = {panel->lblStep->text()};
        for (int r = 0; r < panel->tblParts->rowCount(); ++r) {
            lines << panel->tblParts->item(r, 0)->text() + " " +
                         panel->tblParts->item(r, 2)->text() + " " +
                         panel->tblParts->item(r, 3)->text();
        }
        seen << lines.join('|') + " / rows' bass " + window->row(11).lblResult()->text();
    }
    EXPECT_EQ(seen.join('\n').toStdString(),
              "小節 1　拍 1　Am7/C|Piano G4 ♭7|Piano E4 5|Piano C4 ♭3|Piano A3 1|Bass C3 ♭3"
              " / rows' bass C\n"
              "小節 1　拍 3　Am7/C|Piano E4 5|Piano A3 1|Bass G2 ♭7 / rows' bass G\n"
              "小節 1　拍 4　D/G|Piano D4 1|Piano A3 5|Bass G2 — / rows' bass G");
}

TEST_F(ScoreBrowserTest, TheSheetNeverWritesAFormulaAndQuotesWhatNeedsIt)
{
    // Part names and a measure number that a spreadsheet would take for
    // formulas, a name with a comma, quotes and a line break, two of one name.
    const std::string score = data.write(
        "hostile.musicxml",
        R"(<score-partwise><part-list>)"
        R"(<score-part id="A"><part-name>=HYPERLINK("http://example.com","x")</part-name></score-part>)"
        R"(<score-part id="B"><part-name>@SUM(1+1)</part-name></score-part>)"
        R"(<score-part id="C"><part-name>Tbn, "low"&#13;&#10;2</part-name></score-part>)"
        R"(<score-part id="D"><part-name>+Tbn</part-name></score-part>)"
        R"(<score-part id="E"><part-name>+Tbn</part-name></score-part>)"
        R"(</part-list>)"
        R"(<part id="A"><measure number="-1"><note><pitch><step>C</step><octave>4</octave></pitch><duration>4</duration></note></measure></part>)"
        R"(<part id="B"><measure number="-1"><note><pitch><step>E</step><octave>4</octave></pitch><duration>4</duration></note></measure></part>)"
        R"(<part id="C"><measure number="-1"><note><pitch><step>G</step><octave>3</octave></pitch><duration>4</duration></note></measure></part>)"
        R"(<part id="D"><measure number="-1"><note><pitch><step>C</step><octave>3</octave></pitch><duration>4</duration></note></measure></part>)"
        R"(<part id="E"><measure number="-1"><note><pitch><step>C</step><octave>2</octave></pitch><duration>4</duration></note></measure></part>)"
        R"(</score-partwise>)");
    openScore(QString::fromStdString(score));
    const QString out = QString::fromStdString(data.path() + "/sheet.csv");
    dialogs.savedFile = out;
    browser().mnuScoreTuningSave->trigger();
    QFile sheet(out);
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    EXPECT_EQ(sheet.readAll().toStdString(),
              "\xEF\xBB\xBF小節,拍,コード,パート,記譜音,実音,度数,セント (短7度 9:5)\r\n"
              "'-1,1,C,\"'=HYPERLINK(\"\"http://example.com\"\",\"\"x\"\")\",C4,C4,1,0\r\n"
              "'-1,1,C,'@SUM(1+1),E4,E4,3,-13.7\r\n"
              "'-1,1,C,\"Tbn, \"\"low\"\"\r\n2\",G3,G3,5,+2\r\n"
              "'-1,1,C,'+Tbn 1,C3,C3,1,0\r\n"
              "'-1,1,C,'+Tbn 2,C2,C2,1,0\r\n");
}

TEST_F(ScoreBrowserTest, ASheetCutShortByAFileSizeLimitLeavesTheOldFile)
{
    // The window's program ignores SIGXFSZ; here the test does, for a limit
    // of 100 bytes that it lifts again. Root's privileges do not lift it.
    QFile original(kScores + "/tuning_band.musicxml");
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    openScore(
        QString::fromStdString(data.write("band.musicxml", original.readAll().toStdString())));
    const std::string out = data.write("sheet.csv", "the sheet before");
    dialogs.savedFile = QString::fromStdString(out);
    const auto signalBefore = std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit cut{100, before.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &cut), 0);
    browser().mnuScoreTuningSave->trigger();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, signalBefore);
    EXPECT_EQ(dialogs.messages.join('|').toStdString(),
              "exclamation|Chordvane|保存できませんでした\nファイルを書き込めません (" +
                  std::string(std::strerror(EFBIG)) + ")。\n" + out);
    QFile kept(QString::fromStdString(out));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "the sheet before");
    // No temporary file left beside it.
    EXPECT_EQ(QDir(QString::fromStdString(data.path()))
                  .entryList({QStringLiteral("sheet.csv*")}, QDir::Files | QDir::Hidden),
              QStringList{"sheet.csv"});
}
