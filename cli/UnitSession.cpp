#include "UnitSession.h"

#include "CliTexts.h"
#include "UnitAccess.h"
#include "config/Configuration.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "transfer/TransferTexts.h"

#include <algorithm>

namespace qolmex::cli {

UnitSession::UnitSession(UnitLink& link, const BridgeEntry& bridge,
                         std::function<unsigned()> interrupted, ProgressLine* progress,
                         TerminalTransfer::Notice notice)
    : interrupted_(interrupted),
      terminal_(state_, link, std::move(interrupted), progress, std::move(notice)),
      connection_(link.library(), state_, [this](const std::string& text) {
          // Only "reset error?" lets Connect go on; everything else ends it.
          if (text == DeviceConnection::msgResetError)
              warnings_.push_back(text);
          else
              connectFailure_ = text;
      }),
      library_(link.library()) {
    connection_.select(bridge);
}

TransferOutcome UnitSession::outcome() const {
    using Kind = TransferOutcome::Kind;
    TransferOutcome result;
    result.blocksWritten = terminal_.reachedBlocks();
    if (!connectFailure_.empty())
        result = {Kind::NoUnit, connectFailure_, false};
    else if (terminal_.interrupted())
        result = {Kind::Interrupted, texts::interrupted, terminal_.reachedBlocks()};
    else if (terminal_.startGivenUp())
        result = {Kind::Failed, qolmex::texts::unitStopped, false};
    else if (!terminal_.messages().empty()) {
        const std::string& message = terminal_.messages().front();
        result = {message == qolmex::texts::wrongUnit ? Kind::NoUnit : Kind::Failed, message,
                  terminal_.reachedBlocks()};
    }
    return result;
}

TransferOutcome UnitSession::read(Configuration& config, RawImage& raw,
                                  const std::string& phase) {
    if (interrupted_ && interrupted_())
        return {TransferOutcome::Kind::Interrupted, texts::interrupted, false};
    connectFailure_.clear();
    terminal_.prepare(phase);
    raw.fill(0);
    ReadSequence sequence(state_, connection_, terminal_, terminal_);
    sequence.run(config, [&raw](const Block& block) {
        if (block.address <= image::imageSize - blockSize)
            std::copy(block.data.begin(), block.data.end(), raw.begin() + block.address);
    });
    return noted(outcome());
}

TransferOutcome UnitSession::send(const Configuration& config,
                                  const std::function<LocalDateTime()>& time,
                                  const std::string& phase) {
    if (interrupted_ && interrupted_())
        return {TransferOutcome::Kind::Interrupted, texts::interrupted, false};
    connectFailure_.clear();
    terminal_.prepare(phase, true);
    SendSequence sequence(state_, connection_, terminal_, terminal_, time);
    sequence.run(config);
    TransferOutcome result = outcome();
    if (result.kind == TransferOutcome::Kind::Interrupted && result.blocksWritten)
        result.message = texts::sendInterrupted;
    return noted(result);
}

TransferOutcome UnitSession::noted(TransferOutcome outcome) {
    library_.noteVerdict(outcome.ok() ? "ok" : outcome.message);
    return outcome;
}

} // namespace qolmex::cli
