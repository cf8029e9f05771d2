#pragma once

#include "config/Captions.h"
#include "config/FieldDef.h"

#include <QString>

#include <array>
#include <string_view>

namespace qolmex::texts {

// The main window's texts as Qt strings; the words themselves live in config/Captions.h,
// which the command line and the setup sheet share.

inline QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::array<QString, 2> qt(const std::array<std::string_view, 2>& pair) {
    return {qt(pair[0]), qt(pair[1])};
}

inline const QString caption = qt(captions::title);
inline const QString demoNote = qt(captions::demoNote);

inline const QString inputsGroup = qt(captions::inputsGroup);
inline const QString statusGroup = qt(captions::statusGroup);
inline const QString outputSmsGroup = qt(captions::outputSmsGroup);
inline const QString outputNumbersGroup = qt(captions::outputNumbersGroup);

inline const std::array<QString, 2> inputPage = qt(captions::inputPage);
inline const std::array<QString, 2> outputSmsPage = qt(captions::outputSmsPage);
inline const std::array<QString, 2> ringPage = qt(captions::ringPage);
inline const std::array<QString, 2> smsNumbersPage = qt(captions::smsNumbersPage);

inline const QString smsOnActivation = qt(captions::smsOnActivation);
inline const QString smsOnDeactivation = qt(captions::smsOnDeactivation);
inline const QString soundNumbers = qt(captions::soundNumbers);
inline const QString polarity = qt(captions::polarity);
inline const QString delay = qt(captions::delay);
inline const QString closing = qt(captions::closing);
inline const QString opening = qt(captions::opening);

inline const QString interval = qt(captions::interval);
inline const QString days = qt(captions::days);
inline const QString hourOfDay = qt(captions::hourOfDay);
inline const QString hours = qt(captions::hours);
inline const QString credit = qt(captions::credit);
inline const QString euro = qt(captions::euro);

inline const QString smsOn = qt(captions::smsOn);
inline const QString smsOff = qt(captions::smsOff);
inline const QString relayTime = qt(captions::relayTime);

inline const QString outputNumbersGroupHint = qt(captions::outputNumbersGroupHint);
inline const QString outputNumbersPagerHint = qt(captions::outputNumbersPagerHint);
inline const std::array<QString, 2> ringPageHint = qt(captions::ringPageHint);
inline const std::array<QString, 2> smsNumbersPageHint = qt(captions::smsNumbersPageHint);
inline const QString statusGroupHint = qt(captions::statusGroupHint);

inline QString positionLabel(int position, bool spaced = true) {
    return qt(captions::positionLabel(position, spaced));
}
inline QString hintOf(const FieldDef& field) {
    return qt(captions::hintOf(field));
}

} // namespace qolmex::texts
