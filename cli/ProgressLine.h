#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace qolmex::cli {

// One line on a terminal that redraws itself: the phase, a bar, the per cent done and the
// seconds left, estimated from the pace so far.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& out) : out_(out) {}

    void start(std::string phase, std::chrono::milliseconds now);
    // fraction from 0 to 1
    void update(double fraction, std::chrono::milliseconds now);
    // Leaves the terminal on a fresh line.
    void end();

    static std::string render(const std::string& phase, double fraction, int secondsLeft);

private:
    std::ostream& out_;
    std::string phase_;
    std::chrono::milliseconds started_{0};
    std::chrono::milliseconds drawn_{-1000};
    bool shown_ = false;
};

} // namespace qolmex::cli
