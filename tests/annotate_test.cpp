#include "annotatetesting.h"

#include <gtest/gtest.h>

using namespace chordvane;
using namespace chordvane::test;

namespace {

TEST(HarmonyKind, EveryEntryOfTheChordListHasItsKindAndDegrees)
{
    struct Case {
        const char *name;
        const char *kind;
        const char *degrees;
    };
    // clang-format off
    const Case cases[] = {
        {"", "major", ""}, {"m", "minor", ""}, {"7", "dominant", ""}, {"m7", "minor-seventh", ""},
        {"M7", "major-seventh", ""}, {"6", "major-sixth", ""}, {"m6", "minor-sixth", ""},
        {"sus4", "suspended-fourth", ""}, {"7sus4", "suspended-fourth", "add7"},
        {"dim", "diminished", ""}, {"dim7", "diminished-seventh", ""},
        {"m7(♭5)", "half-diminished", ""}, {"aug", "augmented", ""}, {"add9", "major", "add9"},
        {"m(add9)", "minor", "add9"}, {"mM7", "major-minor", ""}, {"9", "dominant-ninth", ""},
        {"m9", "minor-ninth", ""}, {"M9", "major-ninth", ""}, {"6(9)", "major-sixth", "add9"},
        {"m6(9)", "minor-sixth", "add9"}, {"7(♭9)", "dominant", "add9-1"},
        {"7(♯9)", "dominant", "add9+1"}, {"7(13)", "dominant", "add13"},
        {"7(♭13)", "dominant", "add13-1"}, {"7(♯11)", "dominant", "add11+1"},
        {"7(♭5)", "dominant", "alter5-1"}, {"7(♯5)", "augmented-seventh", ""},
        {"M7(♯5)", "major-seventh", "alter5+1"}, {"sus2", "suspended-second", ""},
        {"7sus4(9)", "suspended-fourth", "add7 add9"},
        {"7sus4(♭9)", "suspended-fourth", "add7 add9-1"}, {"m7(11)", "minor-seventh", "add11"},
        {"m11", "minor-11th", ""}, {"13", "dominant-13th", ""}, {"m13", "minor-13th", ""},
        {"M13", "major-13th", ""}, {"M7(♯11)", "major-seventh", "add11+1"},
        {"M9(♯11)", "major-ninth", "add11+1"}, {"9(♯11)", "dominant-ninth", "add11+1"},
        {"13(♯11)", "dominant-13th", "add11+1"}, {"9(♭13)", "dominant-ninth", "add13-1"},
        {"7(♭9,13)", "dominant", "add9-1 add13"}, {"7(♭9,♭13)", "dominant", "add9-1 add13-1"},
        {"7(♯9,♭13)", "dominant", "add9+1 add13-1"}, {"7(♭9,♯9)", "dominant", "add9-1 add9+1"},
        {"7(♭9,♯11)", "dominant", "add9-1 add11+1"}, {"7(♯9,♯11)", "dominant", "add9+1 add11+1"},
        {"7(♯5,♯9)", "augmented-seventh", "add9+1"},
        {"7(alt)", "augmented-seventh", "add5-1 add9-1 add9+1"}, {"mM7(9)", "major-minor", "add9"},
        {"m7(♭5,9)", "minor-ninth", "alter5-1"}, {"m7(♭5,11)", "half-diminished", "add11"},
        {"dim(M7)", "major-minor", "alter5-1"}, {"5", "power", ""}, {"add4", "major", "add4"},
        {"m(add4)", "minor", "add4"},
    };
    // clang-format on
    const auto &table = chordList();
    int entries = 0;
    for (int slot = 0; slot < kChordSlots && (slot == 0 || !table.name(slot).empty()); ++slot) {
        ++entries;
        SCOPED_TRACE(table.name(slot));
        const auto expected = std::find_if(std::begin(cases), std::end(cases), [&](const Case &c) {
            return c.name == table.name(slot);
        });
        ASSERT_NE(expected, std::end(cases)) << "no case for this entry";
        const HarmonyKind kind = harmonyKind(table.row(slot));
        std::string degrees;
        for (const Degree &d : kind.degrees) {
            static const char *const kTypes[] = {"add", "alter", "subtract"};
            degrees += std::string(degrees.empty() ? "" : " ") + kTypes[int(d.type)] +
                       std::to_string(d.value) + (d.alter > 0 ? "+" : "") +
                       (d.alter ? std::to_string(d.alter) : "");
        }
        EXPECT_EQ(kind.kind, expected->kind);
        EXPECT_EQ(degrees, expected->degrees);
    }
    EXPECT_GE(entries, 55);
}

TEST(Annotate, WritesTheExactSymbolsBeforeNotesOrWithOffsets)
{
    test::TempDir dir;
    const QString out = QString::fromStdString(dir.path()) + QStringLiteral("/small.musicxml");
    const std::vector<ChordSymbol> symbols = {
        symbol(Fraction(0), "C", ""),            // before the first note
        symbol(Fraction(1), "D", "m7"),          // inside a held note: +1 quarter
        symbol(Fraction(2), "G", "7", "B"),      // before the grace note, over a bass
        symbol(Fraction(3), "E", "m"),           // after a chord
        symbol(Fraction(4), "F", "M7"),          // the score has a symbol there
        symbol(Fraction(5), "C#", "dim7"),       // the second voice, after <forward>
        symbol(Fraction(6), "Bb", "7(♭9)", "D"), // inside the second voice's note
        symbol(Fraction(8), "Eb", "aug"),        // before a rest
        symbol(Fraction(19, 2), "Bb", "add9"),   // half a quarter on
        symbol(Fraction(12), "F", "13"),         // no note yet: before the next, -2 quarters
        symbol(Fraction(15), "C", "7sus4", "Bb"),
    };
    const AnnotateResult result =
        annotateFile(kData + QStringLiteral("/small.musicxml"), symbols, out);
    ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
    EXPECT_EQ(result.written, 10);
    EXPECT_EQ(result.skipped, (std::vector<Skipped>{{4, SkipReason::Taken}}));
    EXPECT_EQ(readFile(out).toStdString(),
              readFile(kData + QStringLiteral("/small-annotated.musicxml")).toStdString());
}

// A symbol at every attack of the score, one chord after another from the list.
std::vector<ChordSymbol> symbolsAtEveryMoment(const QByteArray &score)
{
    const score::ReadResult read = score::readScoreData(score);
    EXPECT_TRUE(read.ok) << score::englishMessage(read).toStdString();
    const char *const chords[] = {"m7(♭5)", "", "7(alt)", "M7(♯11)", "sus2"};
    const char *const roots[] = {"C", "F#", "Bb", "E", "Ab"};
    std::vector<ChordSymbol> symbols;
    for (const score::Moment &moment : score::scoreMoments(read.score)) {
        const size_t i = symbols.size() % 5;
        symbols.push_back(symbol(moment.at, roots[i], chords[i], i == 2 ? "D" : nullptr));
    }
    return symbols;
}

QByteArray recoded(const QByteArray &utf8, const char *encoding, const char *bom)
{
    QString text = QString::fromUtf8(utf8).replace(QLatin1String("\n"), QLatin1String("\r\n"));
    text.replace(QLatin1String("encoding=\"UTF-8\""),
                 QStringLiteral("encoding=\"%1\"").arg(QLatin1String(encoding)));
    text.replace(QLatin1String("a symbol of its own"), QStringLiteral("a symbol of its own: é"));
    return QByteArray(bom) + QStringEncoder(encoding).encode(text);
}

TEST(Annotate, ChangesNothingButTheSymbolsItAdds)
{
    const QByteArray small = readFile(kData + QStringLiteral("/small.musicxml"));
    const QByteArray band = readFile(QStringLiteral(CHORDVANE_SCORE_DATA "/band.musicxml"));
    const QByteArray smallArchive =
        makeArchive({{QStringLiteral("mimetype"), "application/vnd.recordare.musicxml"},
                     {QStringLiteral("META-INF/container.xml"), kContainer},
                     {QStringLiteral("in/score.xml"), small},
                     {QStringLiteral("cover.pdf"), "%PDF-1.4 cover"}});
    const QByteArray oneLine =
        QString::fromUtf8(small)
            .replace(QRegularExpression(QStringLiteral(">\\s+<")), QStringLiteral("><"))
            .toUtf8();
    const char *const kFlatFive = "text=\"m7(♭5)\"";
    struct Case {
        const char *name;
        QByteArray in;
        const char *inName;
        const char *outName;
        const char *encoding;
        size_t taken;               // symbols at times where the top part has one
        const char *halfDiminished; // the kind's text as written
    };
    const Case cases[] = {
        {"plain, with a symbol of its own", small, "in.musicxml", "out.musicxml", "UTF-8", 1,
         kFlatFive},
        {"pickup, ties, two voices", band, "in.xml", "out.XML", "UTF-8", 0, kFlatFive},
        {"all on one line", oneLine, "in.musicxml", "out.musicxml", "UTF-8", 1, kFlatFive},
        {"UTF-16 with a byte-order mark and CR LF", recoded(small, "UTF-16LE", "\xFF\xFE"),
         "in.musicxml", "out.musicxml", "UTF-16LE", 1, kFlatFive},
        {"Latin-1", recoded(small, "ISO-8859-1", ""), "in.musicxml", "out.musicxml", "ISO-8859-1",
         1, "text=\"m7(&#x266d;5)\""},
        {"compressed to compressed", smallArchive, "in.mxl", "out.mxl", "UTF-8", 1, kFlatFive},
        {"compressed to plain", smallArchive, "in.mxl", "out.musicxml", "UTF-8", 1, kFlatFive},
        {"plain to compressed", small, "in.musicxml", "out.MXL", "UTF-8", 1, kFlatFive},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const QString folder = QString::fromStdString(dir.path()) + QLatin1Char('/');
        writeFile(folder + QLatin1String(c.inName), c.in);
        const std::vector<ChordSymbol> symbols = symbolsAtEveryMoment(c.in);
        const AnnotateResult result = annotateFile(folder + QLatin1String(c.inName), symbols,
                                                   folder + QLatin1String(c.outName));
        ASSERT_TRUE(result.ok()) << englishMessage(result).toStdString();
        EXPECT_EQ(result.written + result.skipped.size(), symbols.size());
        EXPECT_EQ(result.skipped.size(), c.taken);

        const QByteArray out = readFile(folder + QLatin1String(c.outName));
        EXPECT_EQ(out.startsWith("PK"),
                  QString::fromLatin1(c.outName).endsWith(u"mxl", Qt::CaseInsensitive));
        const QByteArray inScore = scoreOf(c.in);
        const QByteArray outScore = scoreOf(out);
        if (c.in.startsWith("PK") && out.startsWith("PK")) {
            const auto inMembers = members(c.in);
            const auto outMembers = members(out);
            ASSERT_EQ(outMembers.size(), inMembers.size());
            for (size_t i = 0; i < inMembers.size(); ++i) {
                EXPECT_EQ(outMembers[i].first, inMembers[i].first);
                EXPECT_TRUE(outMembers[i].second == inMembers[i].second ||
                            inMembers[i].first == u"in/score.xml");
            }
        }
        EXPECT_EQ(withoutNewSymbols(outScore, c.encoding), inScore);
        // New lines end as the file's own do.
        const QString outText = QStringDecoder(c.encoding).decode(outScore);
        if (outText.contains(QLatin1String("\r\n"))) {
            EXPECT_EQ(outText.count(u'\n'), outText.count(QLatin1String("\r\n")));
        }
        const score::ReadResult read = score::readScoreData(out);
        ASSERT_TRUE(read.ok) << score::englishMessage(read).toStdString();
        EXPECT_EQ(topSymbols(outScore, c.encoding).size(), size_t(result.written) + c.taken);
        EXPECT_TRUE(outText.contains(QString::fromUtf8(c.halfDiminished)));
    }
}

} // namespace
