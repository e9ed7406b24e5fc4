// What the rows show of a score: nothing of the last one, the bass part a
// director expects, notes named as the parts spell them; and the copy's
// save dialog.
#include "mainwindowtesting.h"
#include "scorebrowsertesting.h"

using namespace chordvane;
using chordvane::test::kScores;

namespace {

// A clarinet in B♭ writing B♭ (concert A♭), a violin writing B♯, and a viola
// above a cello on one C3; in A♭ major.
constexpr const char *kStrings = R"(<score-partwise version="3.1"><part-list>
<score-part id="Cl"><part-name>Clarinet in B♭</part-name>
 <score-instrument id="Cl-i"><instrument-name>Clarinet</instrument-name></score-instrument>
 <midi-instrument id="Cl-i"><midi-program>72</midi-program></midi-instrument></score-part>
<score-part id="Vn"><part-name>Violin</part-name>
 <score-instrument id="Vn-i"><instrument-name>Violin</instrument-name></score-instrument>
 <midi-instrument id="Vn-i"><midi-program>41</midi-program></midi-instrument></score-part>
<score-part id="Va"><part-name>Viola</part-name>
 <score-instrument id="Va-i"><instrument-name>Viola</instrument-name></score-instrument>
 <midi-instrument id="Va-i"><midi-program>42</midi-program></midi-instrument></score-part>
<score-part id="Vc"><part-name>Cello</part-name>
 <score-instrument id="Vc-i"><instrument-name>Cello</instrument-name></score-instrument>
 <midi-instrument id="Vc-i"><midi-program>43</midi-program></midi-instrument></score-part>
</part-list>
<part id="Cl"><measure number="1"><attributes><divisions>1</divisions><key><fifths>-2</fifths></key>
 <clef><sign>G</sign><line>2</line></clef><transpose><diatonic>-1</diatonic><chromatic>-2</chromatic></transpose></attributes>
 <note><pitch><step>B</step><alter>-1</alter><octave>4</octave></pitch><duration>4</duration></note></measure></part>
<part id="Vn"><measure number="1"><attributes><divisions>1</divisions><key><fifths>-4</fifths></key>
 <clef><sign>G</sign><line>2</line></clef></attributes>
 <note><pitch><step>B</step><alter>1</alter><octave>4</octave></pitch><duration>4</duration></note></measure></part>
<part id="Va"><measure number="1"><attributes><divisions>1</divisions><key><fifths>-4</fifths></key>
 <clef><sign>C</sign><line>3</line></clef></attributes>
 <note><pitch><step>C</step><octave>3</octave></pitch><duration>4</duration></note></measure></part>
<part id="Vc"><measure number="1"><attributes><divisions>1</divisions><key><fifths>-4</fifths></key>
 <clef><sign>F</sign><line>4</line></clef></attributes>
 <note><pitch><step>C</step><octave>3</octave></pitch><duration>4</duration></note></measure></part>
</score-partwise>)";

class RowTruthTest : public test::Bilingual<test::ScoreBrowserTest> {
protected:
    QString label(int r) const { return window->row(r).lblResult()->text(); }
};

TEST_F(RowTruthTest, OpeningAScoreLeavesNothingOfTheRowsBefore)
{
    // From a score of four parts, rows 2 and 3; by hand, a horn's E♭ on row
    // 8 and a sharp on the bass clef on row 9. The score before it was left
    // at a later moment than the new one has, its tuning panel shown.
    openScore(kScores + "/band.musicxml");
    press(Qt::Key_G);
    for (int i = 0; i < 3; ++i)
        press(Qt::Key_Right);
    openScore(QString::fromStdString(data.write("strings.musicxml", kStrings)));
    const auto click = [this](int r, double y, int rightClicks) {
        QWidget *area = window->row(r).ctlNoteInput()->picMain();
        QTest::mouseClick(area, Qt::LeftButton, {}, test::staffPoint(area, y));
        for (int i = 0; i < rightClicks; ++i)
            QTest::mouseClick(area, Qt::RightButton, {}, test::staffPoint(area, y));
    };
    click(8, 4.2, 1); // E, then E♭
    QComboBox *instrument = window->row(8).cboInstName();
    instrument->setCurrentIndex(instrument->findText("ホルン"));
    emit instrument->activated(instrument->currentIndex());
    QTest::mouseClick(window->row(9).ctlNoteInput()->picToon(), Qt::LeftButton);
    click(9, 3.2, 2); // the bass clef's B, then B♯
    ASSERT_EQ(window->row(8).ctlNoteInput()->Value(), 4);
    openScore(kScores + "/band.musicxml"); // two parts, nothing on rows 2 to 10 at first
    for (const int r : {2, 3, 8, 9}) {
        SCOPED_TRACE(r);
        EXPECT_EQ(row(r), "rest in C G (楽器名) -");
        EXPECT_EQ(window->row(r).ctlNoteInput()->Value(), 1);
        EXPECT_EQ(window->row(r).ctlNoteInput()->state().Accidental, 0);
        EXPECT_EQ(window->engine().InputNotes[r], NO_NOTE);
    }
}

TEST_F(RowTruthTest, TheBassRowNamesThePartLowestInItsRangeAndNotesAreSpelledAsWritten)
{
    for (const Language language : {Language::Japanese, Language::English}) {
        SCOPED_TRACE(language == Language::English ? "English" : "Japanese");
        speak(language);
        openScore(QString::fromStdString(data.write("strings.musicxml", kStrings)));
        // The viola stands above the cello and comes first; the cello is the bass.
        EXPECT_EQ(row(11), "13 in C F Cello C");
        EXPECT_EQ(row(0), "11 in B♭ G Clarinet in B♭ A♭"); // written B♭
        EXPECT_EQ(row(1), "13 in C G Violin B♯");
        EXPECT_EQ(window->row(1).ctlNoteInput()->state().Accidental, 1);
        // By hand the names are the pitch class's again: the sharp kept on a B
        // clicked is a C; without it, B is H only in Japanese.
        QWidget *area = window->row(1).ctlNoteInput()->picMain();
        QTest::mouseClick(area, Qt::LeftButton, {}, test::staffPoint(area, 2.2));
        EXPECT_EQ(label(1), "C");
        QTest::mouseClick(area, Qt::RightButton, {}, test::staffPoint(area, 0));
        EXPECT_EQ(label(1), language == Language::English ? "B" : "B(H)");
        // Another transposition by hand: the clarinet's A♭ is named as any G♯.
        QComboBox *tune = window->row(0).cboTune();
        tune->setCurrentIndex(tune->findText("in C"));
        EXPECT_EQ(label(0), "A♯/B♭");
        tune->setCurrentIndex(tune->findText("in B♭"));
        EXPECT_EQ(label(0), "G♯/A♭");
        // A step writes the score's spelling again.
        press(Qt::Key_Left);
        browser().closeScore();
    }
}

TEST_F(RowTruthTest, TheCopysDialogOffersTheScoresKindUnderItsOwnFilter)
{
    QFile band(kScores + "/band.musicxml");
    ASSERT_TRUE(band.open(QIODevice::ReadOnly));
    const std::string content = band.readAll().toStdString();
    // The reader goes by content: a plain score under each name will do.
    const std::pair<const char *, const char *> cases[] = {
        {"band.mxl", "band (%1).mxl"},
        {"band.musicxml", "band (%1).musicxml"},
        {"band.xml", "band (%1).xml"},
        {"band.score", "band (%1).musicxml"},
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        speak(language);
        const QString with = language == Language::English ? "with chords" : "コード付き";
        for (const auto &[name, proposed] : cases) {
            SCOPED_TRACE(name);
            openScore(QString::fromStdString(data.write(name, content)));
            dialogs.saveRequests.clear();
            browser().mnuScoreAnnotate->trigger(); // cancelled: savedFile is empty
            ASSERT_EQ(dialogs.saveRequests.size(), 1);
            const QStringList request = dialogs.saveRequests[0].split('|');
            const QString path = request.value(1);
            EXPECT_EQ(QFileInfo(path).fileName(), QString(proposed).arg(with));
            // The filter chosen first is the one whose first pattern is the
            // name's own extension; the compressed kind is always offered.
            const QStringList filters = request.value(2).split(";;");
            ASSERT_EQ(filters.size(), 2);
            const QString first = filters[0].section('(', 1).section(' ', 0, 0).remove(')');
            EXPECT_EQ(first, "*." + QFileInfo(path).suffix());
            EXPECT_TRUE(request.value(2).contains("(*.mxl)"));
        }
    }
}

} // namespace
