#pragma once

#include <string>
#include <string_view>

namespace chordvane {

// True when bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

// Chord lists are UTF-8; lists made on Japanese Windows are CP932, or
// UTF-16 with a byte-order mark when saved as "Unicode". Returns UTF-8
// text: a leading byte-order mark is dropped, UTF-16 is read after its
// mark (FF FE little-endian, FE FF big-endian), and other bytes that are not
// valid UTF-8 are read as CP932 (undecodable sequences become U+FFFD).
std::string decodeChordListText(std::string_view bytes);

// False for bytes that decodeChordListText would turn into nonsense: NUL
// bytes outside UTF-16 with a byte-order mark (UTF-16 without one, UTF-32,
// a binary file). Text never holds NUL.
bool isChordListText(std::string_view bytes);

// User input as a message may quote it: in double quotes, at most the first
// 40 characters (then "…"), control characters and bytes that are not UTF-8
// as escapes ("\x1b"), quotes and backslashes escaped, so that no input can
// flood or drive the terminal that shows the message.
std::string quoteForMessage(std::string_view text);

} // namespace chordvane
