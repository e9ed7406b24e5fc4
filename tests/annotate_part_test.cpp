#include "annotatetesting.h"

#include <gtest/gtest.h>

using namespace chordvane;
using namespace chordvane::test;

namespace {

// Drums, then a B♭ trumpet written in D major (concert C) with a note at
// every beat, then a bass in C: one measure of 4/4 per `measures`.
QByteArray bandScore(int measures, const QString &indent = QStringLiteral("  "))
{
    const QString note = QStringLiteral("<note><pitch><step>%1</step><octave>4</octave></pitch>"
                                        "<duration>1</duration><voice>1</voice></note>");
    const QString time =
        QStringLiteral("<divisions>1</divisions><time><beats>4</beats><beat-type>4</beat-type>"
                       "</time>");
    QString drums, trumpet, bass;
    for (int m = 1; m <= measures; ++m) {
        const QString head = QStringLiteral("\n<measure number=\"%1\">").arg(m);
        const bool first = m == 1;
        drums += head +
                 (first ? QStringLiteral("<attributes>%1<clef><sign>percussion</sign></clef>"
                                         "</attributes>")
                              .arg(time)
                        : QString()) +
                 QStringLiteral("<note><unpitched><display-step>C</display-step><display-octave>5"
                                "</display-octave></unpitched><duration>4</duration></note>"
                                "</measure>");
        trumpet +=
            head + (first ? QStringLiteral("<attributes>%1<key><fifths>2</fifths></key><clef>"
                                           "<sign>G</sign><line>2</line></clef><transpose>"
                                           "<diatonic>-1</diatonic><chromatic>-2</chromatic>"
                                           "</transpose></attributes>")
                                .arg(time)
                          : QString());
        for (const char *step : {"D", "E", "F", "G"})
            trumpet += QLatin1Char('\n') + indent + note.arg(QLatin1String(step));
        trumpet += QStringLiteral("\n</measure>");
        bass += head +
                (first ? QStringLiteral("<attributes>%1<key><fifths>0</fifths></key>"
                                        "</attributes>")
                             .arg(time)
                       : QString()) +
                QStringLiteral("<note><pitch><step>C</step><octave>3</octave></pitch>"
                               "<duration>4</duration><voice>1</voice></note></measure>");
    }
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<score-partwise version="3.1"><part-list>
<score-part id="Drums"><part-name>Drums</part-name></score-part>
<score-part id="Tp"><part-name>Trumpet in Bb</part-name></score-part>
<score-part id="Bs"><part-name>Bass</part-name></score-part></part-list>
<part id="Drums">%1</part><part id="Tp">%2</part><part id="Bs">%3</part></score-partwise>
)")
        .arg(drums, trumpet, bass)
        .toUtf8();
}

// Each <harmony> of a part as "root/bass", read with a regular expression
// rather than the scanner that placed them.
QStringList partSymbols(const QByteArray &xml, const QString &partId)
{
    const QString text = QString::fromUtf8(xml);
    const qsizetype begin = text.indexOf(QStringLiteral("<part id=\"%1\">").arg(partId));
    const QString part = text.mid(begin, text.indexOf(QLatin1String("</part>"), begin) - begin);
    static const QRegularExpression harmony(QStringLiteral(R"(<harmony>(.*?)</harmony>)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression note(QStringLiteral(
        R"(<(root|bass)-step>([A-G])</\1-step>\s*(?:<\1-alter>(-?\d)</\1-alter>)?)"));
    QStringList found;
    for (auto h = harmony.globalMatch(part); h.hasNext();) {
        QString symbol;
        for (auto n = note.globalMatch(h.next().captured(1)); n.hasNext();) {
            const auto match = n.next();
            const int alter = match.captured(3).toInt();
            symbol += (symbol.isEmpty() ? QString() : QStringLiteral("/")) + match.captured(2) +
                      QString(std::abs(alter), alter < 0 ? u'b' : u'#');
        }
        found << symbol;
    }
    return found;
}

TEST(AnnotatePart, SymbolsGoIntoTheChosenPartAtItsWrittenPitch)
{
    const std::vector<ChordSymbol> symbols = {
        symbol(Fraction(0), "C", ""),             // written D in D major
        symbol(Fraction(1), "Ab", "add9", "Eb"),  // B♭/F
        symbol(Fraction(2), "Gb", "7"),           // A♭, never G♯
        symbol(Fraction(3), "F#", "m7(♭5)", "E"), // G♯/F♯
        symbol(Fraction(4), "Bb", "M7", "D"),     // C/E
    };
    struct Case {
        const char *name;
        QString part;
        const char *carrier;
        QStringList expected;
    };
    const QStringList trumpet = {"D", "Bb/F", "Ab", "G#/F#", "C/E"};
    const QStringList concert = {"C", "Ab/Eb", "Gb", "F#/E", "Bb/D"};
    const Case cases[] = {
        {"the first part that is no drum staff", {}, "Tp", trumpet},
        {"by id", QStringLiteral("Bs"), "Bs", concert},
        {"by number", QStringLiteral("3"), "Bs", concert},
        {"a drum staff asked for", QStringLiteral("Drums"), "Drums", concert},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const AnnotatedData out =
            annotateData(bandScore(2), symbols, OutputForm::Plain, {c.part, {}});
        ASSERT_TRUE(out.result.ok()) << englishMessage(out.result).toStdString();
        EXPECT_EQ(partSymbols(out.bytes, QLatin1String(c.carrier)), c.expected);
        for (const char *other : {"Drums", "Tp", "Bs"}) {
            if (QLatin1String(other) != QLatin1String(c.carrier)) {
                EXPECT_TRUE(partSymbols(out.bytes, QLatin1String(other)).isEmpty()) << other;
            }
        }
        EXPECT_FALSE(out.bytes.contains("<degree"));
    }
    for (const char *missing : {"P9", "0", "4", "-1"}) {
        SCOPED_TRACE(missing);
        const AnnotatedData out =
            annotateData(bandScore(2), symbols, OutputForm::Plain, {QLatin1String(missing), {}});
        EXPECT_EQ(out.result.error, AnnotateError::NoSuchPart);
        EXPECT_TRUE(out.bytes.isEmpty());
    }
}

TEST(AnnotatePart, MuseScoreShowsTheConcertSymbolOfATrumpetPart)
{
    const QString museScore = QStandardPaths::findExecutable(QStringLiteral("mscore3"));
    if (museScore.isEmpty())
        GTEST_SKIP() << "mscore3 is not installed (scripts/setup.sh installs it)";
    const std::vector<ChordSymbol> symbols = {
        symbol(Fraction(0), "C", ""), symbol(Fraction(2), "Ab", "add9", "Eb"),
        symbol(Fraction(4), "Gb", "7(♭13)"), symbol(Fraction(6), "A", "7(♭9)", "C#")};
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
    writeFile(folder + QStringLiteral("in.musicxml"), bandScore(2));
    const AnnotateResult result = annotateFile(folder + QStringLiteral("in.musicxml"), symbols,
                                               folder + QStringLiteral("annotated.musicxml"));
    ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
    ASSERT_TRUE(museScoreSaves(museScore, folder, QStringLiteral("annotated.musicxml"),
                               QStringLiteral("back.mscx")));
    // MuseScore keeps a symbol's root and bass as its view shows them, as
    // tonal pitch classes (14 = C, one more per fifth up), with its name
    // once. The view is the written one, the instrument a major second
    // down: concert C, A♭add9/E♭, G♭7(♭13), A7(♭9)/C♯ in its concert view.
    const QString mscx = QString::fromUtf8(readFile(folder + QStringLiteral("back.mscx")));
    QStringList found;
    for (const QString &body : museScoreHarmonies(mscx)) {
        const auto field = [&](const char *name) {
            return QRegularExpression(QStringLiteral("<%1>([^<]*)</%1>").arg(QLatin1String(name)))
                .match(body)
                .captured(1);
        };
        found << field("root") + QLatin1Char(' ') + field("name") + QLatin1Char(' ') +
                     field("base");
    }
    EXPECT_EQ(found, (QStringList{"16  ", "12 add9 13", "10 7(♭13) ", "19 7(♭9) 23"}));
    EXPECT_TRUE(mscx.contains(QLatin1String("<transposeChromatic>-2</transposeChromatic>")));
    EXPECT_FALSE(mscx.contains(QLatin1String("<concertPitch>1</concertPitch>")));
}

TEST(AnnotatePart, LeftOutSymbolsAreCountedByTheirReason)
{
    const QByteArray score = bandScore(3);
    // The trumpet's third measure gone, written empty, or with markup in a duration.
    const qsizetype third =
        score.indexOf("<measure number=\"3\">", score.indexOf("<part id=\"Tp\">"));
    const qsizetype thirdEnd = score.indexOf("</measure>", third) + 10;
    const QByteArray without = QByteArray(score).remove(third, thirdEnd - third);
    const QByteArray empty =
        QByteArray(score).replace(third, thirdEnd - third, "<measure number=\"3\"/>");
    QByteArray marked = score;
    const qsizetype duration = marked.indexOf("<duration>1", third);
    marked.replace(duration, 11, "<duration><!-- one -->1");
    QByteArray nested = score;
    nested.replace(nested.indexOf("<duration>1", third), 11, "<duration><b/>1");
    struct Case {
        const char *name;
        QByteArray in;
        SkipReason reason;
    };
    const Case cases[] = {
        {"the part is a measure short", without, SkipReason::NoMeasure},
        {"the measure is written <measure/>", empty, SkipReason::EmptyMeasure},
        {"an element inside a <duration>", nested, SkipReason::Unfollowed},
    };
    const std::vector<ChordSymbol> symbols = {symbol(Fraction(0), "C", ""),
                                              symbol(Fraction(9), "F", "")};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const score::ReadResult read = score::readScoreData(c.in);
        if (!read.ok) {
            ADD_FAILURE() << score::englishMessage(read).toStdString();
            continue;
        }
        const AnnotatedData out = annotateData(c.in, symbols, OutputForm::Plain);
        ASSERT_TRUE(out.result.ok()) << englishMessage(out.result).toStdString();
        EXPECT_EQ(out.result.written, 1);
        EXPECT_EQ(out.result.skipped, (std::vector<Skipped>{{1, c.reason}}));
        EXPECT_EQ(skippedFor(out.result, c.reason), 1u);
    }
    // A comment inside a duration is no reason to leave anything out.
    const AnnotatedData out = annotateData(marked, symbols, OutputForm::Plain);
    EXPECT_EQ(out.result.written, 2);
}

TEST(AnnotateCopy, GrowsByTheSymbolsAloneAndNeverPastWhatTheReaderTakes)
{
    std::vector<ChordSymbol> symbols;
    for (int beat = 0; beat < 8; ++beat)
        symbols.push_back(symbol(Fraction(beat), "Bb", "7(♭9)", "D"));
    struct Case {
        const char *name;
        QString indent;
        const char *root; // how the symbol's first child stands
    };
    const Case cases[] = {
        {"an ordinary indentation", QStringLiteral("    "), "\n      <root>"},
        {"tabs", QStringLiteral("\t\t"), "\n\t\t\t<root>"},
        {"a hostile one", QString(200'000, u' '), "<harmony><root>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray in = bandScore(2, c.indent);
        const AnnotatedData out = annotateData(in, symbols, OutputForm::Plain);
        ASSERT_TRUE(out.result.ok()) << englishMessage(out.result).toStdString();
        EXPECT_EQ(out.result.written, 8);
        EXPECT_LT(out.bytes.size() - in.size(), 8 * 400);
        EXPECT_EQ(out.bytes.count(c.root), 8);
        EXPECT_EQ(partSymbols(out.bytes, QStringLiteral("Tp")).size(), 8);
    }

    // Padded to just under the limit: the symbols would take it over.
    QByteArray full = bandScore(2);
    full.insert(full.indexOf("<score-partwise"),
                "<!--" + QByteArray(score::kMaxFileBytes - full.size() - 100, '.') + "-->\n");
    ASSERT_LE(full.size(), score::kMaxFileBytes);
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
    writeFile(folder + QStringLiteral("full.musicxml"), full);
    for (const char *out : {"out.musicxml", "out.mxl"}) {
        SCOPED_TRACE(out);
        const AnnotateResult result = annotateFile(folder + QStringLiteral("full.musicxml"),
                                                   symbols, folder + QLatin1String(out));
        EXPECT_EQ(result.error, AnnotateError::TooLarge);
        EXPECT_TRUE(englishMessage(result).contains(u"64 MiB"));
        EXPECT_FALSE(QFile::exists(folder + QLatin1String(out)));
    }
}

TEST(AnnotatePart, SymbolsLandWhereTheMusicIs)
{
    // The trumpet's second measure: a symbol of its own on beat 3 through
    // its <offset>, and a grace note before beat 2.
    QByteArray score = bandScore(2);
    const qsizetype second =
        score.indexOf("<measure number=\"2\">", score.indexOf("<part id=\"Tp\">"));
    const qsizetype beat2 = score.indexOf("<note>", score.indexOf("<note>", second) + 1);
    score.insert(beat2, "<note><grace/><pitch><step>C</step><octave>5</octave></pitch><voice>1"
                        "</voice></note>");
    score.insert(score.indexOf("<note>", second),
                 "<harmony><root><root-step>G</root-step></root><kind>major</kind>"
                 "<offset>2</offset></harmony>");
    struct Case {
        const char *name;
        Fraction at;
        int written;
        const char *before; // the text the new symbol stands right before
    };
    const Case cases[] = {
        {"where the part's own symbol stands through its offset", Fraction(6), 0, nullptr},
        {"on the part's own symbol's written place", Fraction(4), 1, "<note><pitch><step>D"},
        {"before the grace note that leads into the beat", Fraction(5), 1, "<note><grace/>"},
        {"at the score's very end: over the last note, a beat on", Fraction(8), 1,
         "<note><pitch><step>G"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const AnnotatedData out = annotateData(score, {symbol(c.at, "C", "")}, OutputForm::Plain);
        ASSERT_TRUE(out.result.ok()) << englishMessage(out.result).toStdString();
        EXPECT_EQ(out.result.written, c.written);
        if (!c.before)
            continue;
        // Read back by its text: the new element (the only C) and what
        // follows it.
        const qsizetype added =
            out.bytes.lastIndexOf("<harmony>", out.bytes.indexOf("<root-step>C</root-step>"));
        ASSERT_GE(added, 0);
        const qsizetype end = out.bytes.indexOf("</harmony>", added) + 10;
        EXPECT_TRUE(out.bytes.mid(end).trimmed().startsWith(QByteArray(c.before).trimmed()))
            << out.bytes.mid(end, 60).toStdString();
        const bool offset = out.bytes.mid(added, end - added).contains("<offset");
        EXPECT_EQ(offset, c.at == Fraction(8));
    }
}

TEST(AnnotateCopy, AScoreTheCallerHasReadIsNotReadAgain)
{
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
    const QByteArray file = bandScore(2);
    const score::ReadResult read = score::readScoreData(file);
    ASSERT_TRUE(read.ok);
    AnnotateOptions once;
    once.file = &file;
    once.score = &read.score;
    // The path names no file: whatever is written comes from what was given.
    const AnnotateResult result =
        annotateFile(folder + QStringLiteral("gone.musicxml"), {symbol(Fraction(0), "C", "")},
                     folder + QStringLiteral("out.musicxml"), once);
    ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
    EXPECT_EQ(partSymbols(readFile(folder + QStringLiteral("out.musicxml")), QStringLiteral("Tp")),
              QStringList{"D"});
    EXPECT_EQ(annotateFile(folder + QStringLiteral("gone.musicxml"), {symbol(Fraction(0), "C", "")},
                           folder + QStringLiteral("again.musicxml"))
                  .error,
              AnnotateError::Unreadable);
}

} // namespace
