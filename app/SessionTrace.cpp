#include "SessionTrace.h"

#include "config/Utf8Path.h"
#include "usb/TracingD2xx.h"

#include <QtGlobal>

namespace qolmex {

SessionTrace::SessionTrace(D2xxLibrary& device) : device_(device) {
    const QString path = qEnvironmentVariable(variable);
    if (path.isEmpty())
        return;
    file_.open(utf8Path(path.toStdString()), std::ios::binary | std::ios::trunc);
    if (!file_) {
        failure_ = QStringLiteral("Záznam komunikácie sa nedá zapísať do súboru %1.").arg(path);
        return;
    }
    tracer_ = std::make_unique<TracingD2xx>(device_, file_);
}

SessionTrace::~SessionTrace() = default;

D2xxLibrary& SessionTrace::device() {
    return tracer_ ? *tracer_ : device_;
}

} // namespace qolmex
