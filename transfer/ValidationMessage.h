#pragma once

#include <string>

namespace qolmex {

struct ValidationError;

// The message that tells the user which field stops a Send, named as the window labels it,
// and what the field may hold.
std::string validationMessage(const ValidationError& error);

} // namespace qolmex
