#pragma once

#include "app/FileActions.h"

namespace qolmex {

class TfMain;

// Save and Open of the configuration file, started by btnSave and btnOpen.
class FileCommands {
public:
    explicit FileCommands(TfMain& window) : window_(window) {}

    void save();
    void open();

private:
    TfMain& window_;
    FileActions actions_; // remembers the last name and filter of each dialog for the run
};

} // namespace qolmex
