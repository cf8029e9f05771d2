#include "UdevRules.h"

#include <sstream>

namespace qolmex::cli {
namespace {

// Earlier folders hide later ones.
constexpr const char* folders[] = {"/etc/udev/rules.d/", "/run/udev/rules.d/",
                                   "/usr/lib/udev/rules.d/", "/lib/udev/rules.d/"};

bool mentionsFt232r(const std::string& line) {
    return line.find("403/6001") != std::string::npos ||
           (line.find("0403") != std::string::npos && line.find("6001") != std::string::npos);
}

// The rules (not comments) of a file that concern the FT232R, each with the lines a
// backslash continues.
template <typename Each> void eachFt232rLine(const std::string& contents, Each each) {
    std::istringstream lines(contents);
    std::string rule;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const bool continued = !line.empty() && line.back() == '\\';
        rule += continued ? line.substr(0, line.size() - 1) : line;
        if (continued)
            continue;
        const std::size_t start = rule.find_first_not_of(" \t");
        if (start != std::string::npos && rule[start] != '#' && mentionsFt232r(rule))
            each(rule);
        rule.clear();
    }
}

} // namespace

UdevRules::UdevRules(const SystemRoot& system) {
    std::map<std::string, bool> seen;
    for (const char* folder : folders) {
        for (const std::string& name : system.list(folder)) {
            if (seen.count(name) || name.size() < 6 || name.substr(name.size() - 6) != ".rules")
                continue;
            seen[name] = true;
            std::error_code error;
            const auto target = std::filesystem::read_symlink(system.path(folder + name), error);
            const std::string contents = system.contents(folder + name);
            if ((!error && target == "/dev/null") || contents.empty())
                continue; // switched off
            files_[name] = contents;
        }
    }
}

std::string UdevRules::brlttyRuleForFt232r() const {
    for (const auto& [name, contents] : files_) {
        if (name.find("brltty") == std::string::npos)
            continue;
        bool takes = false;
        eachFt232rLine(contents, [&takes](const std::string&) { takes = true; });
        if (takes)
            return name;
    }
    return {};
}

bool UdevRules::setsForFt232r(const std::string& property) const {
    bool sets = false;
    for (const auto& entry : files_)
        eachFt232rLine(entry.second, [&](const std::string& line) {
            if (line.find("ENV{" + property + "}=\"1\"") != std::string::npos)
                sets = true;
        });
    return sets;
}

} // namespace qolmex::cli
