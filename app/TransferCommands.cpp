#include "TransferCommands.h"

#include "TfMain.h"

namespace qolmex {

// Arrive with the transfers.
void TransferCommands::send() {}
void TransferCommands::read() {}

} // namespace qolmex
