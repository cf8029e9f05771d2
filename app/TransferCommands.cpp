#include "TransferCommands.h"

#include "TfMain.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "transfer/ValidationMessage.h"
#include "transfer/uRead.h"
#include "transfer/uSend.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

namespace qolmex {
namespace {

// Marks a transfer as under way for exactly as long as its sequence runs.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

} // namespace

TransferCommands::TransferCommands(TfMain& window, D2xxLibrary* device)
    : window_(window), device_(device ? *device : noBridge_),
      connection_(device_, window.transferState(),
                  [this](const std::string& text) { showMessage(text); }),
      fSend_(std::make_unique<TfSend>(&window, window.transferState())),
      fRead_(std::make_unique<TfRead>(&window, window.transferState())) {
    for (QPushButton* storno : {fSend_->btnCancel, fRead_->btnCancel})
        QObject::connect(storno, &QPushButton::clicked, [this] { stornoPressed_ = true; });
}

TransferCommands::~TransferCommands() = default;

void TransferCommands::send() {
    if (running_)
        return;
    RunningFlag running(running_);
    SendSequence sequence(window_.transferState(), connection_, *fSend_, *this,
                          currentLocalDateTime);
    if (const auto invalid = sequence.run(window_.configuration())) {
        window_.showField(invalid->field);
        showMessage(validationMessage(*invalid));
    }
    noteVerdict();
}

void TransferCommands::read() {
    if (running_)
        return;
    RunningFlag running(running_);
    ReadSequence sequence(window_.transferState(), connection_, *fRead_, *this);
    sequence.run(window_.configuration());
    noteVerdict();
}

void TransferCommands::noteVerdict() {
    device_.noteVerdict(!lastMessage_.empty() ? lastMessage_
                        : stornoPressed_      ? std::string("Storno")
                                              : std::string("ok"));
    lastMessage_.clear();
    stornoPressed_ = false;
}

void TransferCommands::pump() {
    QCoreApplication::processEvents();
}

void TransferCommands::setMainWindowEnabled(bool enabled) {
    window_.setEnabled(enabled);
}

void TransferCommands::showMessage(const std::string& text) {
    if (running_ && text != DeviceConnection::msgResetError) // told, but the transfer goes on
        lastMessage_ = text;
    window_.showMessage(QString::fromStdString(text));
}

void TransferCommands::startReplyTimer() {
    window_.timer1()->start();
}

void TransferCommands::stopReplyTimer() {
    window_.timer1()->stop();
}

std::chrono::milliseconds TransferCommands::now() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace qolmex
