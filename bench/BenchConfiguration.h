#pragma once

#include "config/Configuration.h"

namespace qolmex::bench {

// Fills every field the way an installer might: full number lists, DTMF codes, SMS texts
// with Slovak letters, settings away from their initial values. Every block of the image
// then carries data, and Read has something to put into every control.
void fillPlausibly(Configuration& config);

} // namespace qolmex::bench
