#pragma once

#include <QIcon>
#include <QImage>

namespace chordvane {

// Chordvane's own icon: a chord of three notes on a staff over a keyboard.
QImage iconImage(int size);
QIcon appIcon();

} // namespace chordvane
