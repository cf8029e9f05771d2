#include "DoctorCheck.h"

#include "DoctorTexts.h"

#include <algorithm>

namespace qolmex::cli {

DoctorCheck& DoctorReport::add(std::string name, std::string title) {
    DoctorCheck& check = checks_.emplace_back();
    check.name = std::move(name);
    check.title = std::move(title);
    return check;
}

const DoctorCheck* DoctorReport::find(const std::string& name) const {
    auto it = std::find_if(checks_.begin(), checks_.end(),
                           [&name](const DoctorCheck& c) { return c.name == name; });
    return it == checks_.end() ? nullptr : &*it;
}

const DoctorCheck* DoctorReport::firstFailed(const std::vector<std::string>& names) const {
    for (const std::string& name : names)
        if (const DoctorCheck* check = find(name); check && check->failed())
            return check;
    return nullptr;
}

bool DoctorReport::skipUnless(const std::string& name, const std::string& title,
                              const std::vector<std::string>& premises) {
    const DoctorCheck* premise = firstFailed(premises);
    if (!premise)
        return false;
    // Named by the cause itself, not by a check that was skipped for it in turn.
    const std::string cause =
        premise->verdict == DoctorCheck::Verdict::Skipped ? premise->cause : premise->title;
    DoctorCheck& check = add(name, title);
    check.verdict = DoctorCheck::Verdict::Skipped;
    check.cause = cause;
    check.found = doctorTexts::skippedFor + cause + "“";
    return true;
}

} // namespace qolmex::cli
