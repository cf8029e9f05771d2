#pragma once
// The udev rules in force, as udev picks them: a file in /etc/udev/rules.d (or /run) hides
// the one of the same name in /usr/lib/udev/rules.d or /lib/udev/rules.d, and a file there
// that is empty or leads to /dev/null switches the rule off.

#include "SystemRoot.h"

#include <map>
#include <string>

namespace qolmex::cli {

class UdevRules {
public:
    static constexpr const char* ours = "60-qolmex70.rules";

    explicit UdevRules(const SystemRoot& system);

    bool installed(const std::string& name) const { return files_.count(name) > 0; }
    // The name of a rule file of brltty's that takes the FT232R (0403:6001); empty for none.
    std::string brlttyRuleForFt232r() const;
    // Whether a rule in force sets this udev property for the FT232R.
    bool setsForFt232r(const std::string& property) const;

private:
    std::map<std::string, std::string> files_; // name -> contents, of the rules in force
};

} // namespace qolmex::cli
