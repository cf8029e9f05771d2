#pragma once

namespace qolmex {

class TfMain;

// Save and Open of the configuration file, started by btnSave and btnOpen.
class FileCommands {
public:
    explicit FileCommands(TfMain& window) : window_(window) {}

    void save();
    void open();

private:
    [[maybe_unused]] TfMain& window_;
};

} // namespace qolmex
