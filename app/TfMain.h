#pragma once

#include "FieldBinding.h"
#include "config/Configuration.h"
#include "usb/TransferState.h"

#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QTimer;

namespace qolmex {

class D2xxLibrary;
class FileCommands;
class NumberListMenu;
class SetupSheetAction;
class TransferCommands;
class TfRead;
class TfSend;

// The main window, fMain: every setting of one unit in four groups, bound to the record it
// owns, and the five buttons that start every action.
class TfMain : public QWidget {
    Q_OBJECT
public:
    // The device is the way to the unit's bridge; without one, every transfer finds no bridge.
    explicit TfMain(D2xxLibrary* device = nullptr, QWidget* parent = nullptr);
    ~TfMain() override;

    Configuration& configuration() { return config_; }
    const Configuration& configuration() const { return config_; }

    // The control that shows a field, by the field's name in any letter case.
    QWidget* control(std::string_view fieldName) const;

    // Brings up the pages that hold a field's control and gives it the focus.
    void showField(FieldId id);

    // 2000 ms, off until a transfer starts it; each tick sets ReplyTimedOut.
    QTimer* timer1() const { return timer1_; }

    // The state a transfer shares with the dialogs and the timer; one for the window's life.
    TransferState& transferState() { return transferState_; }

    // The plain message box of the program; tests put their own function in its place.
    using MessageFunction = std::function<void(const QString&)>;
    void setMessageFunction(MessageFunction show) { showMessage_ = std::move(show); }
    void showMessage(const QString& text) { showMessage_(text); }

    TfSend& fSend();
    TfRead& fRead();

    // Said in brackets after the title of the window and of its dialogs and message boxes.
    void setTitleNote(const QString& note);

    // The setup sheet, offered by Ctrl+P and by the context menu of the window's free area.
    SetupSheetAction& setupSheet() { return *setupSheet_; }
    QAction* setupSheetAction() const { return setupSheetAction_; }

public slots:
    void btnClearClick();
    void btnSaveClick();
    void btnOpenClick();
    void btnSendClick();
    void btnReadClick();
    void Timer1Timer();
    void FormCreate();
    void saveSetupSheet();

protected:
    // Closing ends the program, but not while a transfer holds the line.
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // Reaches the window from wherever no control has a menu of its own.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // At its place, or as near to it as keeps the whole window on its screen.
    void placeOnScreen();
    void focusFirstField();
    void connectButton(const char* name, void (TfMain::*handler)());

    Configuration config_;
    FieldBinding binding_{config_}; // after the record, so it lets go of it first
    QTimer* timer1_;
    TransferState transferState_;
    MessageFunction showMessage_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<TransferCommands> transfers_;
    bool framed_ = false; // placed with the window manager's frame
    std::unique_ptr<NumberListMenu> numberListMenu_;
    std::unique_ptr<SetupSheetAction> setupSheet_;
    QAction* setupSheetAction_;
};

} // namespace qolmex
