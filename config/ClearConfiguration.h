#pragma once

namespace qolmex {

class Configuration;

// Returns every field to the value a freshly opened window shows, in the order the
// original program empties them (lists from position 1, so the list rule does the rest).
void clearConfiguration(Configuration& config);

} // namespace qolmex
