#pragma once

#include <string>

namespace qolmex {

// What a transfer sequence does with its progress dialog. The window layer implements it
// with the real dialog; tests with a recording fake.
class TransferDialog {
public:
    virtual ~TransferDialog() = default;
    virtual void showDialog() = 0;
    virtual void hideDialog() = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setLabel(const std::string& text) = 0;
    virtual void setGaugeVisible(bool visible) = 0;
    virtual void setCancelVisible(bool visible) = 0;
    virtual void setProgress(int address) = 0;
    // The dialog's "Storno": the sequences also call it to close the dialog on a wrong unit.
    virtual void btnCancelClick() = 0;
};

} // namespace qolmex
