#pragma once
// QOLMEX70_TRACE=FILE: every D2XX call of the session, with its bytes and its result, goes
// into FILE for support. Without the variable nothing is traced.

#include "usb/D2xxLibrary.h"

#include <QString>
#include <fstream>
#include <memory>

namespace qolmex {

class TracingD2xx;

class SessionTrace {
public:
    static constexpr const char* variable = "QOLMEX70_TRACE";

    // Reads the variable; the device must outlive the trace.
    explicit SessionTrace(D2xxLibrary& device);
    ~SessionTrace();
    SessionTrace(const SessionTrace&) = delete;
    SessionTrace& operator=(const SessionTrace&) = delete;

    // The way to the bridge: through the trace when there is one.
    D2xxLibrary& device();
    // Why the file the variable names cannot be written; empty when it can, or when none is
    // named. The session then goes on without a trace.
    const QString& failure() const { return failure_; }

private:
    D2xxLibrary& device_;
    std::ofstream file_;
    std::unique_ptr<TracingD2xx> tracer_;
    QString failure_;
};

} // namespace qolmex
