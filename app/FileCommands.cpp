#include "FileCommands.h"

#include "TfMain.h"

namespace qolmex {

// Arrive with the configuration file.
void FileCommands::save() {}
void FileCommands::open() {}

} // namespace qolmex
