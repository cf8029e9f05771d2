#include "Arguments.h"
#include "BackupFolder.h"
#include "Cli.h"
#include "Interrupt.h"
#include "Terminal.h"

#include <iostream>

int main(int argc, char** argv) {
    using namespace qolmex::cli;
    useLocaleOfEnvironment();
    prepareConsole();
    installInterruptHandler();
    CliEnvironment env{std::cout, std::cerr};
    env.errIsTerminal = standardErrorIsTerminal();
    env.interrupted = interruptCount;
    env.backupFolder = defaultBackupFolder();
    env.sleep = sleepUnlessInterrupted;
    return runCli(commandArguments(argc, argv), env);
}
