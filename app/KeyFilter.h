#pragma once

namespace qolmex {

// A typed-character filter of the record's rules: returns the character, or 0 to drop it.
using KeyFilter = int (*)(int);

} // namespace qolmex
