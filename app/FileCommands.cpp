#include "FileCommands.h"

#include "TfMain.h"

namespace qolmex {

void FileCommands::save() { actions_.save(&window_, window_.configuration()); }
void FileCommands::open() { actions_.open(&window_, window_.configuration()); }

} // namespace qolmex
