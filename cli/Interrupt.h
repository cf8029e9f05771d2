#pragma once

namespace qolmex::cli {

// Ctrl+C acts as the dialog's Storno: the handler only raises a flag, which every transfer
// loop looks at on its next pass.
void installInterruptHandler();
bool interruptRequested();

} // namespace qolmex::cli
