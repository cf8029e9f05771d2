#include "uRead.h"

namespace qolmex {

TfRead::TfRead(QWidget* mainWindow, TransferState& state)
    : TransferProgressDialog(mainWindow, state, QString::fromUtf8("Načítavanie dát")) {
    setObjectName("fRead");
    setSizeGripEnabled(true);
    resize(340 - 8, 114 - 27); // the client area under a common frame of that outer size
}

} // namespace qolmex
