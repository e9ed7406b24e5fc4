// The language menu: switching retitles the window at once and lasts; the
// captions of both languages fit their controls and keep their access keys
// apart.
#include "frmpiano.h"
#include "language.h"
#include "mainwindowtesting.h"
#include "scorebrowser.h"
#include "tuningpanel.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QStyle>

using namespace chordvane;

namespace {

class LanguageTest : public test::MainWindowTest {
protected:
    Translation translator{QStringLiteral(CHORDVANE_QM_DIR)};

    void SetUp() override
    {
        MainWindowTest::SetUp();
        translation = &translator;
        open();
    }
    void TearDown() override { window.reset(); }
    void speak(Language language)
    {
        window->mnuLanguageItem[language == Language::English]->trigger();
        QCoreApplication::sendPostedEvents(); // the translators' LanguageChange
    }
};

// The access key a caption marks, none without ("&&" is an ampersand).
QChar accessKey(const QString &caption)
{
    const auto match =
        QRegularExpression(QStringLiteral("(?:^|[^&])(?:&&)*&([^&])")).match(caption);
    return match.hasMatch() ? match.captured(1).at(0).toLower() : QChar();
}

void expectOwnAccessKeys(const QStringList &captions)
{
    QSet<QChar> keys;
    for (const QString &caption : captions) {
        const QChar key = accessKey(caption);
        EXPECT_TRUE(key.isNull() || !keys.contains(key)) << caption.toStdString();
        keys.insert(key);
    }
}

// Every button's and label's caption within its control; the buttons' and
// extra captions' access keys apart.
void expectCaptionsFit(const QWidget &window, QStringList captions)
{
    for (const QPushButton *button : window.findChildren<QPushButton *>()) {
        const QString text = QString(button->text()).remove(QRegularExpression("&(?!&)"));
        const QStyle *style = button->style();
        const int room = button->width() - style->pixelMetric(QStyle::PM_ButtonMargin) -
                         2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(text), room) << text.toStdString();
        captions << button->text();
    }
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QStringList lines = label->text().split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
                << line.toStdString();
        }
        if (!label->text().isEmpty()) {
            EXPECT_LE(lines.size() * label->fontMetrics().lineSpacing(),
                      label->contentsRect().height())
                << label->text().toStdString();
        }
    }
    expectOwnAccessKeys(captions);
}

QStringList captionsOf(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *action : actions)
        captions << action->text();
    return captions;
}

} // namespace

TEST_F(LanguageTest, SwitchingRetitlesTheWindowAtOnceAndIsKept)
{
    data.write("Before you start.txt", "Before you start\n");
    ASSERT_TRUE(
        window->scoreBrowser().openScore(QStringLiteral(CHORDVANE_SCORE_DATA "/band.musicxml")));
    struct Case {
        Language language;
        const char *search, *score, *status, *panel, *readMe;
    };
    const Case cases[] = {
        {Language::English, "&Find chords", "&Score",
         "Measure 0, beat 1 — band.musicxml|Chord: none",
         "Tuning guide|Measure 0, beat 1: no chord", "Before you start.txt"},
        {Language::Japanese, "コードを検索(&F)", "スコア(&S)",
         "小節 0　拍 1　— band.musicxml|コード なし", "音程補正|小節 0　拍 1　コードなし",
         "使う前に.txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.readMe);
        speak(c.language);
        EXPECT_EQ(window->cmdSearchCode->text(), c.search);
        EXPECT_EQ(window->scoreBrowser().mnuScore->title(), c.score);
        const ScoreBrowser &score = window->scoreBrowser();
        EXPECT_EQ(score.lblScorePlace->text() + "|" + score.lblScoreChord->text(), c.status);
        EXPECT_EQ(score.tuningPanel()->windowTitle() + "|" + score.tuningPanel()->lblStep->text(),
                  c.panel);
        window->mnuHelpHowto->trigger();
        EXPECT_EQ(QFileInfo(dialogs.opened.value(0)).fileName(), c.readMe);
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
        expectCaptionsFit(*dialog, {});
        if (auto *results = qobject_cast<frmCodeShow *>(dialog))
            results->cmdShowPiano->click(); // the keyboard window comes here too
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Japanese");
        speak(language);
        expectCaptionsFit(*window, captionsOf(window->menuBar()->actions()));
        for (const QMenu *menu : window->findChildren<QMenu *>())
            expectOwnAccessKeys(captionsOf(menu->actions()));
        const int shown = dialogs.modalCount;
        window->cmdSearchCode->click();
        EXPECT_EQ(dialogs.modalCount, shown + 2);
    }
}
