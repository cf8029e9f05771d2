#include "BackupFolder.h"
#include "Cli.h"
#include "Interrupt.h"
#include "Terminal.h"

#include <chrono>
#include <iostream>
#include <thread>

int main(int argc, char** argv) {
    using namespace qolmex::cli;
    prepareConsole();
    installInterruptHandler();
    CliEnvironment env{std::cout, std::cerr};
    env.errIsTerminal = standardErrorIsTerminal();
    env.interrupted = interruptRequested;
    env.backupFolder = defaultBackupFolder();
    env.sleep = [](std::chrono::milliseconds span) { std::this_thread::sleep_for(span); };
    return runCli(std::vector<std::string>(argv + 1, argv + argc), env);
}
