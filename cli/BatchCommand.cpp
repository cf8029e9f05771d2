#include "Commands.h"

namespace qolmex::cli {

void batchCommand(CommandContext& context) {
    context.report.fail("failed", exitUsage, "batch");
}

} // namespace qolmex::cli
