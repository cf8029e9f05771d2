#pragma once

#include "FieldBinding.h"
#include "config/Configuration.h"

#include <QWidget>

#include <memory>

class QTimer;

namespace qolmex {

class FileCommands;
class TransferCommands;

// The main window, fMain: every setting of one unit in four groups, bound to the record it
// owns, and the five buttons that start every action.
class TfMain : public QWidget {
    Q_OBJECT
public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    Configuration& configuration() { return config_; }
    const Configuration& configuration() const { return config_; }

    // The control that shows a field, by the field's name in any letter case.
    QWidget* control(std::string_view fieldName) const;

    // 2000 ms, off until a transfer starts it; each tick sets ReplyTimedOut.
    QTimer* timer1() const { return timer1_; }

    // Set by Timer1Timer, cleared and tested by the transfers.
    bool ReplyTimedOut = false;

public slots:
    void btnClearClick();
    void btnSaveClick();
    void btnOpenClick();
    void btnSendClick();
    void btnReadClick();
    void Timer1Timer();

private:
    void connectButton(const char* name, void (TfMain::*handler)());

    Configuration config_;
    FieldBinding binding_{config_}; // after the record, so it lets go of it first
    QTimer* timer1_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<TransferCommands> transfers_;
};

} // namespace qolmex
