#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qolmex::cli {

// The bridges whose unit has had its turn in production mode, each until it is seen
// unplugged: only then may a unit on it be programmed again. A device list can fail, or come
// back empty for a moment while the system enumerates anew, and must not make a finished
// unit look unplugged; so a bridge missing from such a doubtful list is taken as unplugged
// only when it is missing from the next list too. A list that came without an error and
// holds other bridges is believed at once.
class BridgeTurns {
public:
    void done(const std::string& key) { missing_[key] = 0; }
    bool hadTurn(const std::string& key) const { return missing_.count(key) != 0; }
    // A new unit said who it is on a bridge that stayed attached.
    void forget(const std::string& key) { missing_.erase(key); }

    // After each look at the device list; returns the bridges now taken as unplugged.
    std::vector<std::string> listed(const std::set<std::string>& present, bool doubtful);

private:
    std::map<std::string, int> missing_; // how many lists in a row have lacked the bridge
};

} // namespace qolmex::cli
