#include "JsonWriter.h"

#include "SafeText.h"

#include <cstdio>

namespace qolmex::cli {

void JsonWriter::separate() {
    if (needComma_)
        text_ += ',';
    needComma_ = false;
}

void JsonWriter::beginObject() {
    separate();
    text_ += '{';
}

void JsonWriter::endObject() {
    text_ += '}';
    needComma_ = true;
}

void JsonWriter::beginArray() {
    separate();
    text_ += '[';
}

void JsonWriter::endArray() {
    text_ += ']';
    needComma_ = true;
}

void JsonWriter::key(std::string_view name) {
    separate();
    string(name);
    text_ += ':';
}

void JsonWriter::value(std::string_view text) {
    separate();
    string(text);
    needComma_ = true;
}

void JsonWriter::value(long long number) {
    separate();
    text_ += std::to_string(number);
    needComma_ = true;
}

void JsonWriter::value(double number) {
    separate();
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.3f", number);
    text_ += digits;
    needComma_ = true;
}

void JsonWriter::value(bool truth) {
    separate();
    text_ += truth ? "true" : "false";
    needComma_ = true;
}

void JsonWriter::rawValue(std::string_view json) {
    separate();
    text_ += json;
    needComma_ = true;
}

void JsonWriter::string(std::string_view raw) {
    const std::string text = validUtf8(raw);
    text_ += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (c == '\n') {
            text_ += "\\n";
        } else if (c == '\r') {
            text_ += "\\r";
        } else if (c == '\t') {
            text_ += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            text_ += escaped;
        } else {
            text_ += c;
        }
    }
    text_ += '"';
}

} // namespace qolmex::cli
