#include "SoakScenario.h"

namespace qolmex::soak {
namespace {

// Frames the unit sends in a whole transfer: the image and the clock block are echoed on a
// Send; the 256 blocks of the image come on a Read.
constexpr unsigned sendFrames = 255;
constexpr unsigned readFrames = 256;

unsigned between(std::mt19937& random, unsigned min, unsigned max) {
    return std::uniform_int_distribution<unsigned>(min, max)(random);
}

} // namespace

const char* outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Success:
        return "success";
    case Outcome::Cancelled:
        return "cancelled by Storno";
    case Outcome::WrongUnit:
        return "wrong unit";
    case Outcome::UnitStopped:
        return "unit stopped answering";
    case Outcome::Unplugged:
        return "bridge unplugged";
    case Outcome::NotConnected:
        return "no bridge";
    case Outcome::WrongDevice:
        return "wrong bridge chip";
    case Outcome::Other:
        break;
    }
    return "unexpected";
}

Scenario randomScenario(Direction direction, std::mt19937& random) {
    const bool send = direction == Direction::Send;
    Scenario s;
    s.direction = direction;
    s.stornoAfter = std::chrono::milliseconds(between(random, 1, 60'000));
    switch (between(random, 0, 13)) {
    case 0:
        s.fault = "healthy";
        break;
    case 1: {
        const unsigned n = between(random, 0, 300);
        s.fault = "stall";
        s.faults.stallAfterFrames = n;
        s.expected =
            n >= (send ? sendFrames : readFrames) ? Outcome::Success : Outcome::UnitStopped;
        break;
    }
    case 2: {
        // The write after the Nth frame finds the cable gone (with none yet, that is the start
        // byte) and ends the transfer at once; after the last frame of a Send nothing more is
        // written, while a Read still acknowledges its last frame.
        const unsigned n = between(random, 0, 300);
        s.fault = "unplug";
        s.faults.unplugAfterFrames = n;
        s.expected =
            n >= (send ? sendFrames : readFrames + 1) ? Outcome::Success : Outcome::Unplugged;
        break;
    }
    case 3:
        s.fault = "corrupted echo";
        s.faults.corruptEchoEvery = between(random, 1, 20);
        break;
    case 4:
        s.fault = "short echo";
        s.faults.shortEchoEvery = between(random, 1, 20);
        break;
    case 5: {
        const unsigned n = between(random, 1, readFrames);
        s.fault = "torn frame";
        s.faults.splitFrame = n;
        s.expected = send ? Outcome::Success : Outcome::UnitStopped; // only Read frames tear
        break;
    }
    case 6:
        s.fault = "silence";
        s.faults.silence = true;
        s.expected = Outcome::WrongUnit;
        break;
    case 7:
        s.fault = "wrong identity";
        s.faults.wrongIdentity = true;
        s.expected = Outcome::WrongUnit;
        break;
    case 8:
        s.fault = "no start answer";
        s.faults.noStartAnswer = true;
        s.expected = Outcome::Cancelled;
        break;
    case 9:
        // A healthy unit is through both waits within the first two pumps; later presses
        // find Storno hidden, as the user would.
        s.fault = "Storno";
        s.stornoAtPump = between(random, 1, 6);
        break;
    case 10:
        s.fault = "frames out of order";
        s.faults.framesOutOfOrder = true;
        break;
    case 11:
        s.fault = "stray frame";
        s.faults.strayFrameAddress = between(random, 0, 1) ? 3040 : 3008;
        break;
    case 12:
        s.fault = "no bridge";
        s.faults.noDevice = true;
        s.expected = Outcome::NotConnected;
        break;
    default:
        s.fault = "wrong chip";
        s.faults.wrongDeviceType = true;
        s.expected = Outcome::WrongDevice;
        break;
    }
    return s;
}

} // namespace qolmex::soak
