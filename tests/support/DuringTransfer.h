#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace qolmex::testing {

// Runs `act` at every pass of a transfer's event loop (each pump runs a zero timer) until it
// returns true. The timer belongs to `owner`, usually the main window.
inline void duringTransfer(QObject& owner, std::function<bool()> act) {
    auto* timer = new QTimer(&owner);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
        if (act())
            timer->stop();
    });
    timer->start(0);
}

} // namespace qolmex::testing
