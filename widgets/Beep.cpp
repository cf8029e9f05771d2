#include "Beep.h"

#include <QApplication>

#include <utility>

namespace qolmex {
namespace {

std::function<void()>& sink() {
    static std::function<void()> current;
    return current;
}

} // namespace

void beep() {
    if (sink())
        sink()();
    else
        QApplication::beep();
}

std::function<void()> setBeepSink(std::function<void()> replacement) {
    return std::exchange(sink(), std::move(replacement));
}

} // namespace qolmex
