#include "BridgeTurns.h"

namespace qolmex::cli {

std::vector<std::string> BridgeTurns::listed(const std::set<std::string>& present, bool doubtful) {
    std::vector<std::string> unplugged;
    for (auto it = missing_.begin(); it != missing_.end();) {
        int& missing = it->second;
        missing = present.count(it->first) ? 0 : missing + 1;
        if (missing >= 2 || (missing == 1 && !doubtful)) {
            unplugged.push_back(it->first);
            it = missing_.erase(it);
        } else {
            ++it;
        }
    }
    return unplugged;
}

} // namespace qolmex::cli
