#include "mainwindowtesting.h"

#include "soundoutput.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

using namespace chordvane;
using namespace chordvane::test;

TEST_F(MainWindowTest, PlaySoundsTheRowsInUseOnTheirInstruments)
{
    window->cmdPlay->click(); // nothing entered: nothing sounds, and the user is told why
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(dialogs.messages,
              QStringList{"exclamation|確認|試聴する音がありません。行に音を入力してください"});
    choose(window->row(0).cboInstName(), "トランペット");
    write(0, 'D'); // sounds C4
    write(1, 'G'); // no instrument: piano, G4, but taken out of use
    window->row(1).chkUse()->setChecked(false);
    choose(window->row(2).cboInstName(), "アルト・サクソフォン");
    write(2, 'A'); // sounds the C a sixth below, C4
    choose(window->row(3).cboInstName(), "アルト・サクソフォン");
    choose(window->row(3).cboTune(), "in C");
    write(3, 'A');  // off its own transposition: as written, A4
    write(11, 'E'); // the bass
    window->cmdPlay->click();
    window->mnuEditPlay->trigger();
    const std::vector<sound::Tone> expected = {{60, 0, 56}, {60, 0, 65}, {69, 0, 65}, {64, 0, 0}};
    EXPECT_EQ(sound.played, (std::vector<std::vector<sound::Tone>>{expected, expected}));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_EQ(sound.stops, 1);
}

TEST_F(MainWindowTest, ChordSoundIsRememberedAndUsedByTheResults)
{
    EXPECT_TRUE(window->mnuOptionSoundItem[3]->isChecked()); // piano at first
    window->mnuOptionSoundItem[1]->trigger();                // strings
    open();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(window->mnuOptionSoundItem[i]->isChecked(), i == 1);
    dialogs.onModal = [](QDialog *dialog) {
        qobject_cast<frmCodeShow *>(dialog)->cmdPlay->click();
    };
    write(11, 'C');
    write(0, 'E');
    write(1, 'G');
    search();
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0].front().program, 48);
}

TEST_F(MainWindowTest, MissingSoundFontIsToldOnceWithWhereItWasLookedFor)
{
    test::TempDir empty;
    sound::FluidPlayer player({empty.path()});
    frmMain window(dialogs, player, QString::fromStdString(data.path()));
    window.row(11).ctlNoteInput()->setValue(1);
    window.cmdPlay->click();
    window.cmdPlay->click();
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString message = dialogs.messages[0];
    EXPECT_TRUE(message.startsWith("exclamation|試聴|音源ファイル (SoundFont) が見つかりません"));
    EXPECT_TRUE(message.contains("fluid-soundfont-gm"));
    EXPECT_TRUE(message.contains(QString::fromStdString(empty.path())));

    // A damaged SoundFont is no missing one: it is named as unreadable.
    const std::string damaged = empty.write("default-GM.sf2", "RIFF, but no SoundFont");
    sound::FluidPlayer damagedPlayer({empty.path()});
    frmMain second(dialogs, damagedPlayer, QString::fromStdString(data.path()));
    second.row(11).ctlNoteInput()->setValue(1);
    second.cmdPlay->click();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].startsWith(
        "exclamation|試聴|音源ファイル (SoundFont) を読み込めません"));
    EXPECT_TRUE(dialogs.messages[1].contains(QString::fromStdString(damaged)));
}
