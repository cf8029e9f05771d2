#pragma once

#include <string>
#include <string_view>

namespace qolmex::cli {

// Writes one JSON document piece by piece; commas and quoting are its business. Strings are
// UTF-8; a byte that is not (a file name in another encoding) is written as U+FFFD.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(long long number);
    void value(int number) { value(static_cast<long long>(number)); }
    void value(double number);
    void value(bool truth);
    // A value that is a JSON document of its own already.
    void rawValue(std::string_view json);

    // A key with its value, for the common case.
    template <typename T> void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

    const std::string& text() const { return text_; }

private:
    void separate();
    void string(std::string_view text);

    std::string text_;
    bool needComma_ = false;
};

} // namespace qolmex::cli
