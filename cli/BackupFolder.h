#pragma once

#include <string>

namespace qolmex::cli {

// Where Send keeps what a unit held before it was overwritten: the user's data folder,
// qolmex70/backups. Empty when the system names no such folder.
std::string defaultBackupFolder();

} // namespace qolmex::cli
