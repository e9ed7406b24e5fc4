// The keys held on a MIDI keyboard as the chord the rows show, and the
// port kept in the settings found again.
#include "heldkeys.h"
#include "midiinput.h"

#include <gtest/gtest.h>

#include <vector>

using chordvane::midiinput::HeldKeys;
using chordvane::midiinput::Port;

namespace {

using Message = std::vector<std::uint8_t>;

Message down(int key, int channel = 0)
{
    return {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(key), 90};
}
Message up(int key)
{
    return {0x80, static_cast<std::uint8_t>(key), 64};
}
Message upByVelocity0(int key)
{
    return {0x90, static_cast<std::uint8_t>(key), 0};
}
Message pedal(bool pressed)
{
    return {0xB0, 64, static_cast<std::uint8_t>(pressed ? 127 : 0)};
}

} // namespace

TEST(HeldKeys, APressShowsWhatSoundsAndALetGoChordStays)
{
    struct Case {
        const char *name;
        std::vector<Message> messages;
        std::vector<int> shown;
    };
    const Case cases[] = {
        {"a chord", {down(60), down(64), down(67)}, {60, 64, 67}},
        {"let go, it stays", {down(60), down(64), down(67), up(64), up(60), up(67)}, {60, 64, 67}},
        {"the next chord replaces it",
         {down(60), down(64), up(60), up(64), down(62), down(65)},
         {62, 65}},
        {"velocity 0 lets go", {down(60), down(64), upByVelocity0(60), down(67)}, {64, 67}},
        {"any channel", {down(48, 3), down(64, 9)}, {48, 64}},
        {"the pedal keeps keys let go under it",
         {pedal(true), down(48), down(64), up(48), up(64), down(71)},
         {48, 64, 71}},
        {"keys let go before the pedal are not kept",
         {down(48), up(48), pedal(true), down(64), down(67)},
         {64, 67}},
        {"the pedal let go ends them",
         {pedal(true), down(48), up(48), pedal(false), down(62)},
         {62}},
        {"a key held through the pedal's release sounds on",
         {pedal(true), down(48), down(52), up(52), pedal(false), down(62)},
         {48, 62}},
        {"all notes off", {pedal(true), down(48), down(52), {0xB0, 123, 0}, down(62)}, {62}},
        {"other messages change nothing", {down(60), {0xE0, 0, 64}, {0xB0, 1, 20}}, {60}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HeldKeys keys;
        for (const Message &m : c.messages)
            keys.take(m);
        EXPECT_EQ(keys.shown(), c.shown);
    }
}

TEST(HeldKeys, SaysWhenTheKeysShownChange)
{
    HeldKeys keys;
    EXPECT_TRUE(keys.take(down(60)));
    EXPECT_FALSE(keys.take(up(60)));
    EXPECT_FALSE(keys.take(down(60))); // the same chord again
    EXPECT_TRUE(keys.take(down(64)));
    EXPECT_FALSE(keys.take(pedal(true)));
    EXPECT_FALSE(keys.take(Message{0x90, 60})); // cut short
}

TEST(MidiPorts, AKeptPortIsFoundAgainByItsName)
{
    struct Case {
        Port kept, offered;
        bool same;
    };
    const Case cases[] = {
        {{"JACK", "sender:out"}, {"JACK", "sender:out"}, true},
        {{"JACK", "sender:out"}, {"ALSA", "sender:out"}, false},
        // ALSA numbers its clients as they come.
        {{"ALSA", "Keystation:Keystation MIDI 1 20:0"},
         {"ALSA", "Keystation:Keystation MIDI 1 24:0"},
         true},
        {{"ALSA", "Keystation:Keystation MIDI 1 20:0"},
         {"ALSA", "Keystation:Keystation MIDI 2 20:1"},
         false},
        {{"JACK", "a:midi 20:0"}, {"JACK", "a:midi 24:0"}, false},
        {{"ALSA", "Synth"}, {"ALSA", "Synth 20:0"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kept.name.toStdString() + " / " + c.offered.name.toStdString());
        EXPECT_EQ(chordvane::midiinput::samePort(c.kept, c.offered), c.same);
    }
}
