#pragma once

#include "sim/VirtualUnit.h"

namespace qolmex {

class Configuration;

// What the demo's unit holds when the program starts, so that Read shows a plausible
// installation: a few numbers in every list, texts, times and one inverted input.
Configuration demoConfiguration();

// The unit's memory as a Send of this configuration leaves it (3040 and 3056 stay 0).
VirtualUnit::Memory unitMemoryOf(const Configuration& config);

// Stores a configuration in the unit's memory as a Send would have left it.
void storeInUnit(const Configuration& config, VirtualUnit& unit);

} // namespace qolmex
