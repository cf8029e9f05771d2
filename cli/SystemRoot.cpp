#include "SystemRoot.h"

#include "usb/PortHolder.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <grp.h>
#include <iterator>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace qolmex::cli {
namespace fs = std::filesystem;

namespace {

SystemUser thisUser() {
    SystemUser user;
    user.uid = ::getuid();
    if (const passwd* entry = ::getpwuid(user.uid))
        user.name = entry->pw_name;
    else
        user.name = std::to_string(user.uid);
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        user.groups.assign(groups.begin(), groups.end());
    user.groups.push_back(::getgid());
    return user;
}

std::string trimmed(std::string text) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

} // namespace

SystemRoot::SystemRoot(const DoctorSetup& setup)
    : root_(setup.systemRoot), user_(setup.user ? *setup.user : thisUser()) {}

fs::path SystemRoot::path(const std::string& absolute) const {
    return root_.empty() ? fs::path(absolute) : fs::path(root_ + absolute);
}

bool SystemRoot::exists(const std::string& absolute) const {
    std::error_code error;
    return fs::exists(fs::symlink_status(path(absolute), error));
}

std::string SystemRoot::firstLine(const std::string& absolute) const {
    std::ifstream in(path(absolute));
    std::string line;
    std::getline(in, line);
    return trimmed(line);
}

std::string SystemRoot::contents(const std::string& absolute) const {
    std::ifstream in(path(absolute), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> SystemRoot::list(const std::string& absolute) const {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(path(absolute), error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string SystemRoot::groupName(unsigned gid) const {
    std::istringstream groups(contents("/etc/group"));
    for (std::string line; std::getline(groups, line);) {
        // name:password:gid:members
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        const std::size_t third = line.find(':', second + 1);
        if (third != std::string::npos &&
            line.substr(second + 1, third - second - 1) == std::to_string(gid))
            return line.substr(0, first);
    }
    return std::to_string(gid);
}

std::vector<SystemRoot::Process> SystemRoot::processes() const {
    std::vector<Process> found;
    for (const std::string& entry : list("/proc")) {
        if (entry.empty() || entry.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string name = firstLine("/proc/" + entry + "/comm");
        if (!name.empty())
            found.push_back({name, std::stol(entry)});
    }
    return found;
}

std::optional<SystemRoot::Process> SystemRoot::holderOf(const std::string& device) const {
    const auto holder = findProcessWithOpen(device, path("/proc").string());
    if (!holder)
        return std::nullopt;
    return Process{holder->name, static_cast<long>(holder->pid)};
}

} // namespace qolmex::cli
