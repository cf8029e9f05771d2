#include "ProgressLine.h"

#include "CliTexts.h"

#include <algorithm>
#include <cmath>

namespace qolmex::cli {
namespace {

constexpr int barWidth = 30;
constexpr std::chrono::milliseconds redrawEvery{100};

} // namespace

std::string ProgressLine::render(const std::string& phase, double fraction, int secondsLeft) {
    fraction = std::clamp(fraction, 0.0, 1.0);
    const int filled = static_cast<int>(std::lround(fraction * barWidth));
    std::string line = phase + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(barWidth - filled), '.') + "] " +
                       std::to_string(static_cast<int>(fraction * 100)) + " %";
    if (secondsLeft >= 0)
        line += std::string(", ") + texts::secondsLeft + " " + std::to_string(secondsLeft) + " s";
    return line;
}

void ProgressLine::start(std::string phase, std::chrono::milliseconds now) {
    phase_ = std::move(phase);
    started_ = now;
    drawn_ = now - redrawEvery;
}

void ProgressLine::update(double fraction, std::chrono::milliseconds now) {
    if (now - drawn_ < redrawEvery && fraction < 1.0)
        return;
    drawn_ = now;
    int left = -1;
    const double elapsed = std::chrono::duration<double>(now - started_).count();
    if (fraction > 0.02)
        left = static_cast<int>(std::lround(elapsed / fraction * (1.0 - fraction)));
    out_ << '\r' << render(phase_, fraction, left) << "\x1b[K" << std::flush;
    shown_ = true;
}

void ProgressLine::end() {
    if (shown_)
        out_ << '\n' << std::flush;
    shown_ = false;
}

} // namespace qolmex::cli
