#include "uSend.h"

namespace qolmex {

TfSend::TfSend(QWidget* mainWindow, TransferState& state)
    : TransferProgressDialog(mainWindow, state, QString::fromUtf8("Odosielanie dát")) {
    setObjectName("fSend");
    // A dialog frame that cannot be dragged to another size (Windows draws it thin).
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(332, 87);
}

} // namespace qolmex
