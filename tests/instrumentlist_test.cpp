// The instrument list: every instrument sounds at its own octave, named in
// the window's language.
#include "mainwindowtesting.h"

#include "instruments.h"
#include "soundoutput.h"

using namespace chordvane;

namespace {

using InstrumentListTest = test::Bilingual<test::MainWindowTest>;

TEST_F(InstrumentListTest, EveryBandInstrumentSoundsAtItsOctave)
{
    struct Case {
        const char *japanese, *english;
        bool bassClef;
        int key, program; // of the C written on the first ledger line (E on the bass clef)
    };
    const Case cases[] = {
        {"ピッコロ", "Piccolo", false, 72, 72},
        {"ユーフォニアム", "Euphonium", true, 40, 58},
        {"コントラバス", "String Bass", true, 28, 43},
        {"グロッケンシュピール", "Glockenspiel", false, 84, 9},
        {"シロフォン", "Xylophone", false, 72, 13},
        {"ヴィブラフォン", "Vibraphone", false, 60, 11},
        {"マリンバ", "Marimba", false, 60, 12},
        {"D管トランペット", "Trumpet in D", false, 62, 56},
        {"E♭クラリネット", "E♭ Clarinet", false, 63, 71},
        {"テナーホルン", "Tenor Horn", false, 51, 60},
        {"E♭バス", "E♭ Bass", false, 27, 58},
        {"バス・クラリネット", "Bass Clarinet", false, 46, 71},
        {"ソプラノ・サクソフォン", "Soprano Saxophone", false, 58, 64},
        {"コルネット", "Cornet", false, 58, 56},
        {"フリューゲルホルン", "Flugelhorn", false, 58, 56},
        {"バリトン", "Baritone", false, 46, 57},
        {"ユーフォニアム (ト音記号)", "Euphonium (treble clef)", false, 46, 58},
        {"B♭バス", "B♭ Bass", false, 34, 58},
        {"ホルン", "Horn in F", false, 53, 60},
        {"コール・アングレ", "Cor Anglais", false, 53, 69},
        {"アルト・フルート", "Alto Flute", false, 55, 73},
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        speak(language);
        for (const Case &c : cases) {
            const QString name =
                QString::fromUtf8(language == Language::English ? c.english : c.japanese);
            SCOPED_TRACE(name.toStdString());
            window->cmdClear->click();
            ctlNoteInput *staff = window->row(0).ctlNoteInput();
            if ((staff->ScoreType() == 2) != c.bassClef)
                QTest::mouseClick(c.bassClef ? staff->picToon() : staff->picHeon(), Qt::LeftButton);
            choose(window->row(0).cboInstName(), name);
            write(0, 'C');
            sound.played.clear();
            window->cmdPlay->click();
            ASSERT_EQ(sound.played.size(), 1u);
            EXPECT_EQ(sound.played[0], (std::vector<sound::Tone>{{c.key, 0, c.program}}));
            // Cut to its box, the name is whole in the tool tip.
            EXPECT_EQ(window->row(0).cboInstName()->toolTip(), name);
        }
    }
}

} // namespace
