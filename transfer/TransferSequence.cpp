#include "TransferSequence.h"

#include "transfer/TransferTexts.h"

namespace qolmex {

TransferSequence::TransferSequence(TransferState& state, DeviceConnection& connection,
                                   TransferDialog& dialog, TransferHost& host)
    : state_(state), connection_(connection), dialog_(dialog), host_(host),
      exchange_(
          state, [this] { host_.pump(); }, [this](int a) { dialog_.setProgress(a); },
          [this](int a) { dialog_.setProgress(a); },
          [this] { return stalled() || cancelled(); }) {}

bool TransferSequence::begin(const char* caption) {
    connection_.Connect();
    if (!state_.DeviceConnected)
        return false;
    dialog_.showDialog();
    host_.setMainWindowEnabled(false);
    state_.ReplyTimedOut = false;
    host_.startReplyTimer();
    dialog_.setCaption(caption);
    dialog_.setGaugeVisible(false);
    dialog_.setCancelVisible(true);
    dialog_.setLabel(texts::waitingLabel);
    return true;
}

bool TransferSequence::identify() {
    state_.BlockConfirmed = false;
    do {
        host_.pump();
        state_.FrameBuffer.assign(identityLength, ' ');
        state_.UsbDevice->read(state_.FrameBuffer.data(), identityLength, state_.BytesRead);
        if (state_.BytesRead == identityLength)
            state_.BlockConfirmed = true;
    } while (!state_.BlockConfirmed && !state_.ReplyTimedOut);
    host_.stopReplyTimer();

    if (state_.FrameBuffer == texts::identity)
        return true;
    dialog_.btnCancelClick();
    connection_.Disconnect();
    host_.showMessage(texts::wrongUnit);
    return false;
}

bool TransferSequence::startExchange(std::uint8_t startByte, std::uint8_t answer) {
    const char byte = static_cast<char>(startByte);
    state_.BlockConfirmed = false;
    // A cancel that came with the identity's last pass ends the wait as well.
    while (!state_.BlockConfirmed && state_.DeviceConnected) {
        host_.pump();
        state_.UsbDevice->write(&byte, 1, state_.BytesWritten);
        state_.FrameBuffer.assign(startAnswerLength, ' ');
        state_.UsbDevice->read(state_.FrameBuffer.data(), startAnswerLength, state_.BytesRead);
        if (state_.BytesWritten == 1 && state_.BytesRead == startAnswerLength &&
            static_cast<std::uint8_t>(state_.FrameBuffer[0]) == answer)
            state_.BlockConfirmed = true;
    }
    if (state_.DeviceConnected)
        return true;
    connection_.Disconnect(); // the user cancelled: the dialog is already gone, no message
    return false;
}

void TransferSequence::enterTransferring() {
    dialog_.setCancelVisible(false);
    dialog_.setProgress(0);
    dialog_.setGaugeVisible(true);
    dialog_.setLabel(texts::transferringLabel);
    markProgress();
}

void TransferSequence::finish() {
    connection_.Disconnect();
    dialog_.hideDialog();
    host_.setMainWindowEnabled(true);
}

void TransferSequence::giveUpStalled() {
    const bool byStorno = cancelled(); // the user stopped it and needs no message
    finish();
    if (!byStorno)
        host_.showMessage(texts::unitStopped);
}

} // namespace qolmex
