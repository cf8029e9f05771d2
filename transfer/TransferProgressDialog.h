#pragma once

#include "transfer/TransferDialog.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace qolmex {

class TGauge;
struct TransferState;

// The small dialog that stands before the disabled main window while a transfer runs, in the
// main window's font and colours. It holds no logic beyond Storno and refusing to close while
// the line is in use.
class TransferProgressDialog : public QDialog, public TransferDialog {
public:
    TransferProgressDialog(QWidget* mainWindow, TransferState& state, const QString& caption);

    void showDialog() override;
    void hideDialog() override;
    void setCaption(const std::string& caption) override;
    void setLabel(const std::string& text) override;
    void setGaugeVisible(bool visible) override;
    void setCancelVisible(bool visible) override;
    void setProgress(int address) override;
    void btnCancelClick() override;

    // Said after every caption in brackets, as the demo program says it has no real unit.
    void setTitleNote(const QString& note);

    QLabel* Label1;
    TGauge* Gauge1;
    QPushButton* btnCancel;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Escape is a close request too
    bool FormCloseQuery() const;

private:
    void standBeforeMainWindow();
    void showTitle();

    QWidget* mainWindow_;
    TransferState& state_;
    bool placed_ = false;
    QString caption_;
    QString note_;
};

} // namespace qolmex
