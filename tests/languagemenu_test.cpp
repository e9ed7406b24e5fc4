// The language menu, and the captions of both languages.
#include "mainwindowtesting.h"
#include "resultspanel.h"
#include "scorebrowser.h"
#include "tuningpanel.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStyle>
#include <QTableWidget>

using namespace chordvane;

namespace {

using LanguageTest = test::Bilingual<test::MainWindowTest>;

// Every button's and label's caption fits its control, and no two captions
// of the window's buttons and of actions share an access key.
void expectCaptionsFit(const QWidget &window, const QList<QAction *> &actions = {})
{
    QStringList captions;
    for (const QAction *action : actions)
        captions << action->text();
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        const QString text = QString(button->text()).remove(QRegularExpression("&(?!&)"));
        const QStyle *style = button->style();
        const int room = button->width() - style->pixelMetric(QStyle::PM_ButtonMargin) -
                         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(text), room) << text.toStdString();
        captions << button->text();
    }
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        for (const QString &line : label->text().split(QLatin1Char('\n')))
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
                << line.toStdString();
    }
    QStringList keys; // "&&" is an ampersand
    for (const QString &caption : captions) {
        const QRegularExpression marked(QStringLiteral("(?:^|[^&])(?:&&)*&([^&])"));
        const QString key = marked.match(caption).captured(1).toLower();
        EXPECT_TRUE(key.isEmpty() || !keys.contains(key)) << caption.toStdString();
        keys << key;
    }
}

} // namespace

TEST_F(LanguageTest, SwitchingRetitlesTheWindowAtOnceAndIsKept)
{
    data.write("Before you start.txt", "Before you start\n");
    ASSERT_TRUE(window->scoreBrowser().openScore(CHORDVANE_SCORE_DATA "/band.musicxml"));
    window->scoreBrowser().mnuScoreTuning->trigger(); // the panel, with its words
    struct Case {
        Language language;
        const char *search, *score, *status, *readMe; // status: the bar's and the panel's
        const char *chart; // the score menu's chart export and the chart's key and time
    };
    const Case cases[] = {
        {Language::English, "&Find chords", "&Score",
         "Measure 0 / 2, beat 1 — band.musicxml|Chord: none|Tuning guide|"
         "Measure 0, beat 1: no chord|no chord|Just minor 7th: 9:5",
         "Before you start.txt", "Save chart as te&xt...|Key: C major   Time: 4/4"},
        {Language::Japanese, "コードを検索(&F)", "スコア(&S)",
         "小節 0 / 2　拍 1　— band.musicxml|コード なし|音程補正|小節 0　拍 "
         "1　コードなし|コードなし|"
         "短7度の純正 9:5",
         "使う前に.txt", "コード進行をテキストで保存(&X)...|調: C 長調   拍子: 4/4"},
    };
    const ScoreBrowser &score = window->scoreBrowser();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.readMe);
        speak(c.language);
        EXPECT_EQ(window->cmdSearchCode->text(), c.search);
        EXPECT_EQ(score.mnuScore->title(), c.score);
        EXPECT_EQ(
            QStringList({score.lblScorePlace->text(), score.lblScoreChord->text(),
                         score.tuningPanel()->windowTitle(), score.tuningPanel()->lblStep->text(),
                         score.tuningPanel()->tblParts->item(0, 3)->text(),
                         score.tuningPanel()->lblSeventh->text()})
                .join('|'),
            c.status);
        window->mnuHelpHowto->trigger();
        EXPECT_EQ(QFileInfo(dialogs.opened.value(0)).fileName(), c.readMe);
        dialogs.savedFile = QString::fromStdString(data.path() + "/chart.txt");
        score.mnuScoreChartText->trigger();
        QFile chart(dialogs.savedFile);
        ASSERT_TRUE(chart.open(QIODevice::ReadOnly));
        EXPECT_EQ(score.mnuScoreChartText->text() + '|' +
                      QString::fromUtf8(chart.readAll()).section('\n', 1, 1),
                  c.chart);
        dialogs.opened.clear();
        EXPECT_EQ(startLanguage(&settings), c.language); // at the next start
    }
    // Without its translation English cannot be had: the window stays as it is.
    Translation missing(QString::fromStdString(data.path()));
    EXPECT_FALSE(missing.use(Language::English));
    EXPECT_EQ(missing.language(), Language::Japanese);
}

TEST_F(LanguageTest, CaptionsFitTheirControlsAndKeepTheirAccessKeysApart)
{
    write(11, 'C');
    write(0, 'E');
    dialogs.onModal = [](QDialog *dialog) {
        expectCaptionsFit(*dialog);
        if (auto *results = qobject_cast<frmCodeShow *>(dialog))
            results->cmdShowPiano->click(); // the keyboard window comes here too
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Japanese");
        speak(language);
        expectCaptionsFit(*window, window->menuBar()->actions());
        for (const QMenu *menu : window->findChildren<QMenu *>())
            expectCaptionsFit(*menu, menu->actions());
        const int shown = dialogs.modalCount;
        window->cmdSearchCode->click();
        EXPECT_EQ(dialogs.modalCount, shown + 2);
    }
}

TEST_F(LanguageTest, CaptionsOfTheResultsPanelFitAndTheScorePlaceSpeaksBothLanguages)
{
    ScoreBrowser &score = window->scoreBrowser();
    ASSERT_TRUE(score.openScore(CHORDVANE_SCORE_DATA "/tuning_band.musicxml"));
    score.mnuScoreResults->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(score.resultsPanel()));
    struct Case {
        Language language;
        const char *title, *signature, *rate;
    };
    const Case cases[] = {
        {Language::English, "tuning_band.musicxml — measure 1 / 3 — Chordvane",
         "B♭ major, 4/4 time", "Match rate: 100%"},
        {Language::Japanese, "tuning_band.musicxml — 小節 1 / 3 — Chordvane", "B♭ 長調　4/4 拍子",
         "合致度：　100％"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        speak(c.language);
        EXPECT_EQ(window->windowTitle(), c.title);
        EXPECT_EQ(score.lblScoreSignature->text(), c.signature);
        EXPECT_EQ(score.resultsPanel()->lblMatchedRate->text(), c.rate);
        expectCaptionsFit(*score.resultsPanel());
    }
}
