#include "language.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace chordvane;

TEST(Language, JapaneseForAJapaneseLocaleOrForNoneEnglishForAnyOther)
{
    constexpr Language J = Language::Japanese, E = Language::English;
    struct Case {
        const char *lcAll, *lcMessages, *lang;
        Language language;
    };
    // clang-format off
    const Case cases[] = {
        {"", "", "", J}, {"", "", "C", J}, {"", "", "POSIX", J}, {"", "", "C.UTF-8", J},
        {"", "", "ja_JP.UTF-8", J}, {"", "", "ja", J}, {"", "", "en_US.UTF-8", E},
        {"", "", "de_DE@euro", E}, {"", "", "jv_ID", E}, {"ja_JP.UTF-8", "", "en_US", J},
        {"C", "en_GB", "", J}, {"", "en_GB.UTF-8", "ja_JP.UTF-8", E},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lcAll << "|" << c.lcMessages << "|" << c.lang);
        EXPECT_EQ(languageOfLocale(c.lcAll, c.lcMessages, c.lang), c.language);
    }
}

// A text's arguments and access key, as the .ts writes them: "%1 %2 &amp;".
static QString shape(const QString &text)
{
    QStringList marks;
    for (const auto &match :
         QRegularExpression(QStringLiteral("%(\\d+|n)|&amp;")).globalMatch(text))
        marks << match.captured();
    marks.sort();
    return marks.join(QLatin1Char(' '));
}

TEST(Translation, EveryTextOfTheWindowsHasAFinishedEnglishTranslation)
{
    // lupdate over the sources into a copy of the .ts: a text no translation
    // has yet comes in unfinished, one no source uses any more stays vanished.
    QTemporaryDir scratch;
    const QString ts = scratch.filePath(QStringLiteral("chordvane_en.ts"));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(CHORDVANE_SOURCE_DIR "/translations/chordvane_en.ts"), ts));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(CHORDVANE_SOURCE_DIR));
    lupdate.start(QStringLiteral(CHORDVANE_LUPDATE),
                  QString::fromUtf8(CHORDVANE_TRANSLATED_FOLDERS).split(QLatin1Char(' ')) +
                      QStringList{"-locations", "none", "-ts", ts});
    ASSERT_TRUE(lupdate.waitForFinished(-1));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());

    const QRegularExpression message(QStringLiteral("<source>(.*?)</source>(.*?)</message>"),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression translation(
        QStringLiteral("<(?:translation|numerusform)[^>]*>([^<]*)</"));
    int messages = 0;
    for (const auto &m : message.globalMatch(text)) {
        SCOPED_TRACE(m.captured(1).toStdString());
        ++messages;
        EXPECT_FALSE(m.captured(2).contains(QLatin1String("type="))); // unfinished, vanished...
        for (const auto &t : translation.globalMatch(m.captured(2))) {
            const QString words = t.captured(1);
            if (!words.isEmpty() && words.trimmed().isEmpty())
                continue; // the frame of the numerus forms
            EXPECT_FALSE(words.isEmpty());
            EXPECT_EQ(shape(words), shape(m.captured(1))) << words.toStdString();
        }
    }
    EXPECT_GT(messages, 100);
}

TEST(Translation, AFailedSwitchLeavesTheLanguageInstalledBefore)
{
    // What lrelease writes for a translation that holds no text: it loads,
    // but translates nothing.
    const QByteArray noTexts =
        QByteArray::fromHex("3cb86418caef9c95cd211cbf60a1bddda700000002656e88000000020101");
    struct Case {
        const char *name;
        std::optional<QByteArray> qm;
    };
    const Case cases[] = {
        {"missing", std::nullopt},
        {"not a translation", QByteArray("not a translation\n")},
        {"holds no text", noTexts},
    };
    const auto cancel = [] {
        return QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString();
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        Translation translation(folder.path());
        if (c.qm) {
            QFile qm(translation.programFile(Language::English));
            ASSERT_TRUE(qm.open(QIODevice::WriteOnly) && qm.write(*c.qm) == c.qm->size());
        }
        // Japanese first, with Qt's own dialogs in Japanese.
        ASSERT_TRUE(translation.use(Language::Japanese));
        ASSERT_EQ(cancel(), "キャンセル");
        EXPECT_FALSE(translation.use(Language::English));
        EXPECT_EQ(translation.language(), Language::Japanese);
        EXPECT_EQ(cancel(), "キャンセル");
    }
    EXPECT_EQ(cancel(), "Cancel"); // each removed its own as it went
}
