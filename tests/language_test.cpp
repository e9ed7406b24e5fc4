#include "language.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

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

namespace {

struct Message {
    QString source;
    QString type; // "unfinished", "vanished", "obsolete"; empty when done
    QStringList translations;
};

std::vector<Message> readTs(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::vector<Message> messages;
    bool numerus = false; // the translation is in forms of their own
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("message")) {
            messages.emplace_back();
            numerus = attributes.value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (xml.name() == QLatin1String("source")) {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.back().type = attributes.value(QLatin1String("type")).toString();
            if (!numerus)
                messages.back().translations << xml.readElementText();
        } else if (xml.name() == QLatin1String("numerusform")) {
            messages.back().translations << xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// The arguments a text takes, and whether it marks an access key ("&&" is
// an ampersand).
QString shape(const QString &text)
{
    QStringList arguments;
    for (const auto &match : QRegularExpression(QStringLiteral("%(\\d+|n)")).globalMatch(text))
        arguments << match.captured();
    arguments.sort();
    const bool key = QString(text).remove(QStringLiteral("&&")).contains(QLatin1Char('&'));
    return arguments.join(QLatin1Char(' ')) + (key ? " &" : "");
}

} // namespace

TEST(Translation, EveryTextOfTheWindowsHasAFinishedEnglishTranslation)
{
    // lupdate marks a new text unfinished and a text no source uses any more vanished.
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

    const std::vector<Message> messages = readTs(ts);
    EXPECT_GT(messages.size(), 100u);
    for (const Message &m : messages) {
        SCOPED_TRACE(m.source.toStdString());
        EXPECT_EQ(m.type, "");
        for (const QString &translation : m.translations) {
            EXPECT_FALSE(translation.isEmpty());
            EXPECT_EQ(shape(translation), shape(m.source)) << translation.toStdString();
        }
    }
}
