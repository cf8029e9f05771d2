#include "PortAccess.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <vector>

namespace qolmex::cli {
namespace {

constexpr unsigned readWrite = 6;

// The kernel's form of an access list (system.posix_acl_access): a version, then entries of
// tag, permissions and id.
struct AclEntry {
    std::uint16_t tag;
    std::uint16_t perm;
    std::uint32_t id;
};
constexpr std::uint16_t aclUser = 0x02;
constexpr std::uint16_t aclGroupObj = 0x04;
constexpr std::uint16_t aclGroup = 0x08;
constexpr std::uint16_t aclMask = 0x10;

std::vector<AclEntry> accessList(const std::string& path) {
    std::vector<char> raw(1024);
    const ssize_t size =
        ::getxattr(path.c_str(), "system.posix_acl_access", raw.data(), raw.size());
    std::vector<AclEntry> entries;
    constexpr std::size_t header = 4;
    for (std::size_t at = header;
         size > 0 && at + sizeof(AclEntry) <= static_cast<std::size_t>(size);
         at += sizeof(AclEntry)) {
        AclEntry entry{};
        std::memcpy(&entry, raw.data() + at, sizeof entry);
        entries.push_back(entry);
    }
    return entries;
}

bool inGroup(const SystemUser& user, unsigned gid) {
    return std::find(user.groups.begin(), user.groups.end(), gid) != user.groups.end();
}

std::string userName(const SystemRoot& system, unsigned uid) {
    if (uid == system.user().uid)
        return system.user().name;
    const passwd* entry = ::getpwuid(uid);
    return entry ? entry->pw_name : std::to_string(uid);
}

} // namespace

PortAccess portAccess(const SystemRoot& system, const std::string& node) {
    PortAccess result;
    const std::string path = system.path(node).string();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return result;
    result.exists = true;
    result.group = system.groupName(info.st_gid);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
    result.owner = userName(system, info.st_uid) + ":" + result.group + " " + mode;

    const SystemUser& user = system.user();
    const unsigned perms = info.st_mode & 0777;
    const std::vector<AclEntry> acl = accessList(path);
    std::optional<unsigned> mask;
    for (const AclEntry& e : acl)
        if (e.tag == aclMask)
            mask = e.perm;
    const auto masked = [&mask](unsigned perm) { return mask ? perm & *mask : perm; };
    const auto grants = [](unsigned perm) { return (perm & readWrite) == readWrite; };

    if (user.uid == 0) {
        result.granted = true;
        result.how = "root";
        return result;
    }
    if (user.uid == info.st_uid) {
        result.granted = grants(perms >> 6);
        result.how = "vlastník";
        return result;
    }
    for (const AclEntry& e : acl) {
        if (e.tag == aclUser && e.id == user.uid) {
            result.granted = grants(masked(e.perm));
            result.how = "zoznam prístupu";
            return result;
        }
    }
    // Any group of the user's that the file names decides. With an access list the mode's
    // group bits are the mask, and the owning group's permission is its own entry.
    bool groupMatched = false;
    unsigned groupPerm = (perms >> 3) & 7;
    for (const AclEntry& e : acl)
        if (e.tag == aclGroupObj)
            groupPerm = masked(e.perm);
    if (inGroup(user, info.st_gid)) {
        groupMatched = true;
        if (grants(groupPerm)) {
            result.granted = true;
            result.how = "skupina " + result.group;
            return result;
        }
    }
    for (const AclEntry& e : acl) {
        if (e.tag == aclGroup && inGroup(user, e.id)) {
            groupMatched = true;
            if (grants(masked(e.perm))) {
                result.granted = true;
                result.how = "zoznam prístupu, skupina " + system.groupName(e.id);
                return result;
            }
        }
    }
    if (!groupMatched && grants(perms & 7)) {
        result.granted = true;
        result.how = "ostatní";
    }
    return result;
}

} // namespace qolmex::cli
