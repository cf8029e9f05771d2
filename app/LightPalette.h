#pragma once

#include <QColor>
#include <QPalette>

namespace qolmex {

// The window's own colours, the same on a light and on a dark desktop: its groups have fixed
// light backgrounds, and the desktop's light text would vanish on them. White edits on a grey
// button face with black text; disabled controls in grey.
namespace lightColours {
inline const QColor window(0xFF, 0xFF, 0xFF);     // edits and enabled positions
inline const QColor buttonFace(0xF0, 0xF0, 0xF0); // the window, buttons, disabled positions
inline const QColor text(0x00, 0x00, 0x00);
inline const QColor grayText(0x6D, 0x6D, 0x6D); // text of disabled controls
} // namespace lightColours

// Every role in every colour group, so nothing of the desktop's palette shows through.
QPalette lightPalette();

} // namespace qolmex
