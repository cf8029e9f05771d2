#pragma once

class QString;

namespace qolmex {

// The name of the programmer's menu entry and icon on a Linux desktop.
inline constexpr char desktopAppId[] = "sk.korvalex.qolmex70";

// Lets the desktop match the windows to their menu entry (by its file name without
// ".desktop") and gives them the program's icon from the icon theme, where it is installed.
void setDesktopIdentity(const QString& desktopFileName);

} // namespace qolmex
