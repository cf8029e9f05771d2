#include "ProfileReader.h"

#include "AsciiCase.h"
#include "ProfileLine.h"

#include <algorithm>

namespace qolmex {
namespace {

void assignLower(std::string& out, std::string_view s) {
    out.assign(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return lowerAscii(c); });
}

} // namespace

ProfileReader::ProfileReader(const std::vector<ProfileKey>& wanted) : values_(wanted.size()) {
    for (std::size_t i = 0; i < wanted.size(); ++i)
        sections_[lowerAscii(wanted[i].section)].emplace(lowerAscii(wanted[i].key), i);
}

void ProfileReader::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, lf);
        const std::size_t room = maxLine - pending_.size();
        if (lf == std::string_view::npos) {
            pending_.append(piece.substr(0, room));
            return;
        }
        if (pending_.empty()) {
            take(piece);
        } else {
            pending_.append(piece.substr(0, room));
            take(pending_);
            pending_.clear();
        }
        bytes.remove_prefix(lf + 1);
    }
}

void ProfileReader::finish() {
    if (!pending_.empty())
        take(pending_);
    pending_.clear();
}

void ProfileReader::take(std::string_view line) {
    if (firstLine_) {
        line = withoutByteOrderMark(line);
        firstLine_ = false;
    }
    const ProfileLine parsed = ProfileLine::parse(line.substr(0, maxLine));
    if (parsed.kind == ProfileLine::Kind::Section) {
        current_ = nullptr;
        assignLower(lower_, parsed.name);
        const auto section = sections_.find(lower_);
        if (section != sections_.end() && entered_.insert(lower_).second)
            current_ = &section->second;
    } else if (parsed.kind == ProfileLine::Kind::Entry && current_) {
        assignLower(lower_, parsed.name);
        const auto key = current_->find(lower_);
        if (key != current_->end()) {
            values_[key->second] = profileValue(parsed.value);
            current_->erase(key); // a later line of the same key is not read
        }
    }
}

std::string ProfileReader::read(std::string_view bytes, std::string_view section,
                                std::string_view key) {
    ProfileReader reader({{std::string(section), std::string(key)}});
    reader.feed(bytes);
    reader.finish();
    return reader.value(0);
}

} // namespace qolmex
