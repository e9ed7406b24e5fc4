// The chart window as a lead sheet: its lines, the step it marks, clicks and tooltips.
#include "musictext.h"
#include "scorebrowsertesting.h"
#include "uiplatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QScrollArea>
#include <QSignalSpy>
#include <QToolTip>

using namespace chordvane;
using chordvane::test::kScores;
using chordvane::test::ScoreBrowserTest;
using chordvane::test::shownSymbol;

namespace {

// The chart as a reader reads it: what stands side by side, left to right,
// each row's texts joined by " " and the rows by " / ". Text that overlaps
// its neighbour in a row is shown as "<overlap>".
std::string readChart(const ChartView *view)
{
    std::vector<ChartView::Item> items = view->items();
    std::sort(items.begin(), items.end(), [](const auto &a, const auto &b) {
        return a.rect.top() != b.rect.top() ? a.rect.top() < b.rect.top()
                                            : a.rect.left() < b.rect.left();
    });
    std::vector<std::vector<ChartView::Item>> rows;
    int bottom = -1;
    for (const ChartView::Item &item : items) {
        if (rows.empty() || item.rect.top() > bottom)
            rows.emplace_back();
        rows.back().push_back(item);
        bottom = std::max(bottom, item.rect.bottom());
    }
    QStringList read;
    for (std::vector<ChartView::Item> &row : rows) {
        std::sort(row.begin(), row.end(),
                  [](const auto &a, const auto &b) { return a.rect.left() < b.rect.left(); });
        QStringList texts;
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0 && row[i].rect.left() <= row[i - 1].rect.right())
                texts << "<overlap>";
            texts << row[i].text;
        }
        read << texts.join(' ');
    }
    return read.join(" / ").toStdString();
}

} // namespace

TEST_F(ScoreBrowserTest, TheChartIsALeadSheetThatReflowsWithItsWidth)
{
    struct Case {
        const char *score;
        int width;
        std::string chart;
    };
    const Case cases[] = {
        {"leadsheet.musicxml", 1000,
         "Étude 練習曲 / 調: C 長調   拍子: 3/4 / 1 | C | % | F | / 調: E♭ 長調   拍子: 4/4 / "
         "4 | E♭ | % | A♭ | B♭ || / A / 8 | E♭ | N.C. ||"},
        // D/G on a beat of its own needs room: in 600 pixels two measures a line.
        {"band.musicxml", 1000,
         "band.musicxml / 調: C 長調   拍子: 4/4 / 0 | N.C. | Am7/C D/G | N.C. D/G F/G G |"},
        {"band.musicxml", 600,
         "band.musicxml / 調: C 長調   拍子: 4/4 / 0 | N.C. | Am7/C D/G | / 2 | N.C. D/G F/G G |"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.score << " " << c.width);
        openScore(kScores + "/" + c.score);
        press(Qt::Key_H);
        ChartWindow *chart = browser().chart();
        ASSERT_NE(chart, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
        chart->resize(c.width, 500);
        QCoreApplication::processEvents();
        EXPECT_EQ(readChart(chart->view()), c.chart);
    }
}

TEST_F(ScoreBrowserTest, TheChartShowsEachStepAtItsBeatAndJumpsThere)
{
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_H);
    ChartWindow *chart = browser().chart();
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    const ChartView *view = chart->view();
    // Measure 0 is a pickup; measure 1 changes chord on beat 4 (on beat 3
    // only the bass moves, to a tone of the chord).
    EXPECT_EQ(shownSymbol(view, 0), "N.C.");
    EXPECT_EQ(shownSymbol(view, 1), "Am7/C");
    EXPECT_EQ(shownSymbol(view, 2), "D/G");
    // Beat 4 of 4 stands three quarters of the measure's beats from beat 1.
    const QRect pickup = view->stepRect(0), first = view->stepRect(1), fourth = view->stepRect(2);
    EXPECT_EQ(first.top(), fourth.top());
    EXPECT_NEAR(fourth.left() - first.left(), 0.75 * (first.left() - pickup.left()), 12);

    // The step the rows stand in is marked; a click on another goes there.
    press(Qt::Key_Right);
    EXPECT_EQ(view->currentStep(), 1);
    QSignalSpy chosen(chart, &ChartWindow::stepChosen);
    QTest::mouseClick(chart->view(), Qt::LeftButton, {}, fourth.center());
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(status().toStdString(), "小節 1 / 2　拍 4　— band.musicxml / コード D/G (67%)");
    EXPECT_EQ(view->currentStep(), 2);
    QTest::keyClick(chart->view(), Qt::Key_Left); // and from there the step before
    EXPECT_EQ(view->currentStep(), 1);
    // Between the symbols nothing is chosen.
    QTest::mouseClick(chart->view(), Qt::LeftButton, {}, QPoint(first.right() + 8, first.top()));
    EXPECT_EQ(chosen.count(), 2);

    struct Tip {
        int step;
        const char *text;
    };
    for (const Tip &tip :
         {Tip{0, "小節 0　拍 1　コード なし"}, Tip{2, "小節 1　拍 4　合致度 67%"}}) {
        SCOPED_TRACE(tip.text);
        const QPoint at = view->stepRect(tip.step).center();
        QHelpEvent help(QEvent::ToolTip, at, chart->view()->mapToGlobal(at));
        QCoreApplication::sendEvent(chart->view(), &help);
        EXPECT_EQ(QToolTip::text().toStdString(), tip.text);
    }
}

TEST_F(ScoreBrowserTest, TheChartKeepsTheCurrentStepInView)
{
    openScore(kScores + "/leadsheet.musicxml");
    press(Qt::Key_H);
    ChartWindow *chart = browser().chart();
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    chart->resize(chart->width(), 220);
    QCoreApplication::processEvents();
    const ChartView *view = chart->view();
    const QWidget *viewport = view->parentWidget();
    const auto inView = [&](int step) {
        const QRect rect = view->stepRect(step);
        return !rect.isEmpty() &&
               viewport->rect().contains(QRect(view->mapTo(viewport, rect.topLeft()), rect.size()));
    };
    // The last measure's rest is no place the rows stand in: the last
    // step they reach is its measure's E♭, out of view at first.
    for (int i = 0; i < 20; ++i)
        press(Qt::Key_Right);
    const int reached = view->currentStep();
    EXPECT_EQ(shownSymbol(view, reached), "E♭");
    EXPECT_TRUE(inView(reached));
    for (int i = 0; i < 20; ++i)
        press(Qt::Key_Left);
    EXPECT_FALSE(inView(reached));
    EXPECT_TRUE(inView(0));
}

TEST_F(ScoreBrowserTest, TheScoreMenuSavesAndPrintsTheChartAsItsWindowDoes)
{
    openScore(kScores + "/leadsheet.musicxml");
    const auto saved = [this](QAction *action, const char *name) {
        dialogs.savedFile = QString::fromStdString(data.path() + "/" + name);
        action->trigger();
        QFile file(dialogs.savedFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray text = saved(browser().mnuScoreChartText, "chart.txt");
    EXPECT_TRUE(saved(browser().mnuScoreChartPdf, "chart.pdf").startsWith("%PDF"));
    dialogs.onModal = nullptr; // the print dialog, cancelled
    browser().mnuScoreChartPrint->trigger();
    EXPECT_EQ(dialogs.modalCount, 1);
    ASSERT_NE(browser().chart(), nullptr);
    EXPECT_FALSE(browser().chart()->isVisible());

    press(Qt::Key_H);
    QTest::mouseClick(browser().chart()->cmdCopy, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), text);
    EXPECT_TRUE(text.startsWith("Étude 練習曲\n調: C 長調"));
}

TEST(MusicText, SignsCloseUpOnTheirNotes)
{
    // A Japanese font gives ♭ and ♯ a kanji's width; set in a Latin font they
    // take no more room than the letter they follow.
    for (const bool bold : {false, true}) {
        const QFont font = gothicFont(13, bold);
        const QFontMetrics japanese(font);
        for (const QString &sign : {QStringLiteral("♭"), QStringLiteral("♯")}) {
            SCOPED_TRACE(sign.toStdString());
            const int signWidth = musicTextWidth("A" + sign, font) - musicTextWidth("A", font);
            EXPECT_LE(signWidth, japanese.horizontalAdvance(u'A'));
            EXPECT_LT(signWidth, japanese.horizontalAdvance(sign));
        }
    }
}

TEST(MusicText, ALabelKeepsItsFrame)
{
    MusicLabel label(QStringLiteral("A♭"));
    label.setFrameShape(QFrame::Box);
    label.setAlignment(Qt::AlignCenter);
    label.resize(80, 30);
    const QImage image = label.grab().toImage();
    const auto dark = [&](int x, int y) {
        return qGray(image.pixel(x, y)) < 100;
    };
    EXPECT_TRUE(dark(0, 15));  // the frame
    EXPECT_FALSE(dark(5, 15)); // inside it
    int ink = 0;
    for (int x = 20; x < 60; ++x)
        ink += dark(x, 15) ? 1 : 0;
    EXPECT_GT(ink, 0); // the text
}

// Steps that start in one beat stand side by side there, at any width.
TEST(ChartViewLayout, StepsOfOneBeatStandSideBySide)
{
    score::ChartSheet sheet;
    sheet.title = QStringLiteral("t");
    score::ChartBar bar;
    bar.number = QStringLiteral("14");
    bar.columns = 2;
    bar.symbols = {
        {0, 0, QStringLiteral("A7")}, {1, 1, QStringLiteral("Em/B")}, {2, 1, QStringLiteral("B7")}};
    sheet.bars = {bar, bar};
    for (const int width : {1000, 200}) {
        SCOPED_TRACE(width);
        ChartView view;
        view.setSheet(sheet, {});
        view.resize(width, 300);
        view.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(readChart(&view), "t / 14 | A7 Em/B B7 | A7 Em/B B7 |");
    }
}
