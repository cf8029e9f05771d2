#pragma once

#include <functional>

namespace qolmex {

// The default beep of a refused key or step. Tests swap the sound for a counter.
void beep();

// Replaces the sound; an empty function restores QApplication::beep. Returns the previous one.
std::function<void()> setBeepSink(std::function<void()> sink);

} // namespace qolmex
