#include "cli/Cli.h"
#include "sim/DemoConfiguration.h"
#include "support/PtyUnitServer.h"
#include "support/TempFolder.h"

#include "config/ConfigurationFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qolmex::cli {
namespace {

// The real hardware access with --port: the kernel's tty line, the unit at 9600 baud on the
// far side of a pseudo-terminal.
TEST(CliOnASerialPort, SendsAndReadsBackThroughThePortGivenByItsPath) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    PtyUnitServer server(pty);
    testing::TempFolder folder;
    const std::string file = folder.file("site.kvx");
    ConfigurationFile::save(demoConfiguration(), file);

    std::ostringstream out;
    std::ostringstream err;
    CliEnvironment env(out, err);
    env.interrupted = [] { return false; };
    const int exit = runCli({"--port", pty.slavePath(), "--quiet", "send", file, "--no-backup"}, env);
    server.stop();

    EXPECT_EQ(exit, 0) << out.str() << err.str();
    EXPECT_EQ(server.unit().memory(), unitMemoryOf(demoConfiguration()));
}

} // namespace
} // namespace qolmex::cli
