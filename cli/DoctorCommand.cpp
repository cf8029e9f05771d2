#include "Commands.h"
#include "DoctorChecks.h"
#include "DoctorTexts.h"
#include "JsonWriter.h"

namespace qolmex::cli {
namespace {

using Verdict = DoctorCheck::Verdict;
namespace t = doctorTexts;

const char* mark(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ok:
        return t::markOk;
    case Verdict::Warning:
        return t::markWarning;
    case Verdict::Fail:
        return t::markFail;
    case Verdict::Skipped:
        return t::markSkipped;
    }
    return "";
}

const char* word(Verdict verdict) {
    switch (verdict) {
    case Verdict::Ok:
        return "ok";
    case Verdict::Warning:
        return "warning";
    case Verdict::Fail:
        return "fail";
    case Verdict::Skipped:
        return "skipped";
    }
    return "";
}

void printChecks(std::ostream& out, const std::vector<DoctorCheck>& checks) {
    constexpr std::size_t markWidth = 8;
    for (const DoctorCheck& c : checks) {
        const std::string m = mark(c.verdict);
        out << m << std::string(markWidth - m.size(), ' ') << c.title << ": " << c.found << "\n";
        if (!c.fix.empty())
            out << std::string(markWidth, ' ') << "Náprava: " << c.fix << "\n";
    }
    out << std::flush;
}

std::string checksJson(const std::vector<DoctorCheck>& checks) {
    JsonWriter json;
    json.beginArray();
    for (const DoctorCheck& c : checks) {
        json.beginObject();
        json.member("name", c.name);
        json.member("title", c.title);
        json.member("verdict", word(c.verdict));
        json.member("found", c.found);
        json.member("fix", c.fix);
        json.endObject();
    }
    json.endArray();
    return json.text();
}

} // namespace

// Exit 0 when the unit said who it is, 3 otherwise.
void doctorCommand(CommandContext& context) {
    const CommandLine& line = context.line;
    const DoctorSetup& setup = context.env.doctor;
    UnitAccess& access = context.access();
    DoctorReport doctor;
    if (line.virtualUnit || !line.virtualReplay.empty() || !line.port.empty())
        accessChecks(doctor, access, line.serial);
    else if (setup.windowsChecks)
        windowsChecks(doctor, setup, access, line.serial);
    else
#if defined(_WIN32)
        accessChecks(doctor, access, line.serial);
#else
        linuxChecks(doctor, setup, access, line.serial);
#endif

    if (context.text())
        printChecks(context.env.out, doctor.checks());
    context.report.checks = checksJson(doctor.checks());
    const DoctorCheck* identity = doctor.find("identity");
    if (identity && identity->verdict == Verdict::Ok)
        context.report.message = t::unitAnswered;
    else
        context.report.fail("failed", exitNoUnit, t::unitSilent);
}

} // namespace qolmex::cli
