#include "instruments.h"

namespace chordvane::sound {

int soundingKey(int written, bool bassClef, int tuneOffset, const Voice &voice)
{
    int key = writtenKey(written, bassClef) + tuneOffset;
    if (tuneOffset == voice.offset)
        key += voice.octave;
    while (key < 0)
        key += 12;
    while (key > 127)
        key -= 12;
    return key;
}

} // namespace chordvane::sound
