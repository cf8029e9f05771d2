#include "uSend.h"

namespace qolmex {

TfSend::TfSend(QWidget* mainWindow, TransferState& state)
    : TransferProgressDialog(mainWindow, state, QString::fromUtf8("Odosielanie dát")) {
    setObjectName("fSend");
    setFixedSize(332, 87);
}

} // namespace qolmex
