#pragma once

namespace qolmex {

// What a field of the configuration holds, and so how it is typed, stored and sent.
enum class FieldKind {
    PhoneNumber, // a position of a number list
    SmsText,
    DtmfCode, // never shown, but saved, sent and read like the others
    WholeNumber,
    Polarity, // one of the two radio buttons of an input
};

} // namespace qolmex
