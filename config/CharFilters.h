#pragma once

namespace qolmex {

// Key filters for typed characters: each returns the character to let it through,
// or 0 to drop it. Text set by Clear, Open or Read is never filtered.

// Phone numbers and DTMF codes: control codes, "+" and the digits.
constexpr int onlyNumbers(int c) {
    return (c >= 0 && c < 32) || c == '+' || (c >= '0' && c <= '9') ? c : 0;
}

// SMS texts: backspace and the printable ASCII range 32..127.
constexpr int onlyText(int c) {
    return c == 8 || (c >= 32 && c <= 127) ? c : 0;
}

} // namespace qolmex
