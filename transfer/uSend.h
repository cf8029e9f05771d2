#pragma once

#include "transfer/TransferProgressDialog.h"

namespace qolmex {

// The progress dialog of Send: a fixed frame around a 332 x 87 client area.
class TfSend : public TransferProgressDialog {
public:
    TfSend(QWidget* mainWindow, TransferState& state);
};

} // namespace qolmex
