#pragma once

namespace qolmex {

class Configuration;
class VirtualUnit;

// What the demo's unit holds when the program starts, so that Read shows a plausible
// installation: a few numbers in every list, texts, times and one inverted input.
Configuration demoConfiguration();

// Stores a configuration in the unit's memory as a Send would have left it.
void storeInUnit(const Configuration& config, VirtualUnit& unit);

} // namespace qolmex
