#include "ConfigurationFile.h"

#include "FileAccess.h"
#include "ProfileReader.h"
#include "ProfileWriter.h"
#include "WriteFile.h"

namespace qolmex {
namespace {

bool isDigitOf(char c, int base) {
    if (c >= '0' && c <= '9')
        return true;
    return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

// A polarity entry chooses its button when it holds an integer other than 0: decimal, or
// hexadecimal after "$" or "0x", with an optional sign.
bool isNonZeroInteger(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    int base = 10;
    if (text.starts_with('$')) {
        text.remove_prefix(1);
        base = 16;
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty())
        return false;
    bool nonZero = false;
    for (const char c : text) {
        if (!isDigitOf(c, base))
            return false;
        nonZero = nonZero || c != '0';
    }
    return nonZero;
}

// Texts of several lines are held with CR LF between them, whatever the file had.
std::string withCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out.append("\r\n");
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

} // namespace

void ConfigurationFile::save(const Configuration& configuration, const std::string& path) {
    writeFile(
        path, [&configuration](std::string_view old) { return render(configuration, old); },
        maxSaveTarget);
}

std::string ConfigurationFile::render(const Configuration& configuration, std::string_view old) {
    ProfileWriter writer;
    for (FieldId id = 0; id < configuration.size(); ++id) {
        const FieldDef& def = configuration.definition(id);
        if (def.kind == FieldKind::Polarity)
            writer.set(def.section, def.name, configuration.isChosen(id) ? "1" : "0");
        else
            writer.set(def.section, def.name, configuration.text(id));
    }
    return writer.apply(old);
}

void ConfigurationFile::load(Configuration& configuration, const std::string& path) {
    loadContent(configuration, [&path](const ContentSink& sink) {
        fileaccess::readChunks(path, sink);
    });
}

void ConfigurationFile::loadContent(Configuration& configuration,
                                    const std::function<void(const ContentSink&)>& content) {
    std::vector<ProfileKey> keys;
    keys.reserve(configuration.size());
    for (FieldId id = 0; id < configuration.size(); ++id)
        keys.push_back({configuration.definition(id).section, configuration.definition(id).name});

    ProfileReader reader(keys);
    content([&reader](std::string_view bytes) { reader.feed(bytes); });
    reader.finish();

    // Table order sets list positions from 1 upwards, so the list rule keeps the leading run,
    // and sets the polarity buttons of an input one after the other.
    for (FieldId id = 0; id < configuration.size(); ++id) {
        const std::string& value = reader.value(id);
        switch (configuration.definition(id).kind) {
        case FieldKind::Polarity:
            configuration.setChosen(id, isNonZeroInteger(value));
            break;
        case FieldKind::SmsText:
        case FieldKind::DtmfCode:
            configuration.setText(id, withCrLf(value));
            break;
        case FieldKind::PhoneNumber:
        case FieldKind::WholeNumber:
            configuration.setText(id, value);
            break;
        }
    }
}

} // namespace qolmex
