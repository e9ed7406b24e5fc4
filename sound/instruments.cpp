#include "instruments.h"

namespace chordvane::sound {

namespace {
constexpr int kMiddleC = 60;
}

int soundingKey(int written, bool bassClef, int tuneOffset, const Voice &voice)
{
    int key = kMiddleC - 1 + written + tuneOffset - (bassClef ? 24 : 0);
    if (tuneOffset == voice.offset)
        key += voice.octave;
    while (key < 0)
        key += 12;
    while (key > 127)
        key -= 12;
    return key;
}

} // namespace chordvane::sound
