#pragma once

#include "transfer/TransferProgressDialog.h"

namespace qolmex {

// The progress dialog of Read: a sizeable frame, 340 x 114 outside.
class TfRead : public TransferProgressDialog {
public:
    TfRead(QWidget* mainWindow, TransferState& state);
};

} // namespace qolmex
