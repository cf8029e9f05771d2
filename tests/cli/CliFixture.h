#pragma once

#include "cli/Cli.h"
#include "cli/CommandLine.h"
#include "cli/VirtualAccess.h"
#include "config/Configuration.h"
#include "config/ConfigurationFile.h"
#include "sim/VirtualUnit.h"
#include "support/TempFolder.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace qolmex::cli {

// The command line run in-process against virtual units on virtual clocks, with a fixed
// local time and a Ctrl+C the test presses.
class CliTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> arguments) {
        out.str("");
        err.str("");
        CliEnvironment env(out, err);
        env.backupFolder = folder.file("backups");
        env.now = [] { return Timestamp{2026, 12, 8, 14, 30, 5}; };
        env.interrupted = [this] { return interruptWhen ? interruptWhen() : 0u; };
        env.makeAccess = [this](const CommandLine& line) {
            return makeAccess ? makeAccess(line) : std::make_unique<BorrowedAccess>(access);
        };
        env.doctor = doctor;
        env.sleep = [this](std::chrono::milliseconds) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            ++polls;
        };
        return runCli(arguments, env);
    }

    nlohmann::json json() const { return nlohmann::json::parse(out.str()); }

    std::string saved(const Configuration& config, const std::string& name) {
        const std::string path = folder.file(name);
        ConfigurationFile::save(config, path);
        return path;
    }

    static Configuration loaded(const std::string& path) {
        Configuration config;
        ConfigurationFile::load(config, path);
        return config;
    }

    VirtualAccess access{VirtualAccess::Timing::Virtual};
    DoctorSetup doctor; // by default this system
    testing::TempFolder folder;
    std::ostringstream out;
    std::ostringstream err;
    // How many times Ctrl+C has been pressed; asked from every transfer thread too.
    std::function<unsigned()> interruptWhen;
    // Units from elsewhere than the virtual access above.
    std::function<std::unique_ptr<UnitAccess>(const CommandLine&)> makeAccess;
    std::atomic<int> polls{0};           // looks at the device list in production mode
};

} // namespace qolmex::cli
