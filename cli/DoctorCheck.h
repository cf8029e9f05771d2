#pragma once

#include <string>
#include <vector>

namespace qolmex::cli {

// One line of the doctor: what was looked at, what was found, and for a failure or a warning
// the fix in one sentence. A check whose premise failed is skipped and names that premise,
// so one cause is reported once, not as every symptom after it.
struct DoctorCheck {
    enum class Verdict { Ok, Warning, Fail, Skipped };

    std::string name;  // stable, for --json: "usb-bridge", "access", "identity"
    std::string title; // what the text line calls it, Slovak
    Verdict verdict = Verdict::Ok;
    std::string found;
    std::string fix;
    std::string cause; // a skipped check: the title of the failed check it waits for

    bool failed() const { return verdict == Verdict::Fail || verdict == Verdict::Skipped; }
};

// The doctor's lines as they come, with the rule that a check depending on a failed one is
// skipped.
class DoctorReport {
public:
    DoctorCheck& add(std::string name, std::string title);
    // The first of these checks that failed or was skipped; null when all passed.
    const DoctorCheck* firstFailed(const std::vector<std::string>& names) const;
    // Adds the check skipped for the premise, and returns true, when one of them failed.
    bool skipUnless(const std::string& name, const std::string& title,
                    const std::vector<std::string>& premises);
    const DoctorCheck* find(const std::string& name) const;

    const std::vector<DoctorCheck>& checks() const { return checks_; }

private:
    std::vector<DoctorCheck> checks_;
};

} // namespace qolmex::cli
