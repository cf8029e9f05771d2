#include "JsonWriter.h"
#include "Report.h"
#include "config/Windows1250.h"

namespace qolmex::cli {

std::string reportJson(const Report& report) {
    JsonWriter json;
    json.beginObject();
    json.member("command", report.command);
    json.member("result", report.result);
    json.member("exit", report.exit);
    if (!report.message.empty())
        json.member("message", report.message);
    if (report.unit) {
        json.key("unit");
        json.beginObject();
        json.member("serial", report.unit->serialNumber);
        json.member("via", report.unit->via);
        json.endObject();
    }
    if (!report.backup.empty())
        json.member("backup", report.backup);
    if (report.seconds)
        json.member("seconds", *report.seconds);
    if (report.differences) {
        json.key("differences");
        json.beginArray();
        for (const Difference& d : *report.differences) {
            json.beginObject();
            json.member("name", d.name);
            json.member("label", d.label);
            json.member("a", windows1250ToUtf8(d.a));
            json.member("b", windows1250ToUtf8(d.b));
            json.endObject();
        }
        json.endArray();
    }
    if (report.bridges) {
        json.key("bridges");
        json.beginArray();
        for (const BridgeEntry& b : *report.bridges) {
            json.beginObject();
            json.member("description", b.description);
            json.member("serial", b.serialNumber);
            json.member("via", b.via);
            json.member("openable", b.openable);
            if (!b.reason.empty())
                json.member("reason", b.reason);
            json.endObject();
        }
        json.endArray();
    }
    if (report.settings) {
        json.key("settings");
        json.beginArray();
        for (const SettingLine& s : *report.settings) {
            json.beginObject();
            json.member("group", s.group);
            json.member("name", s.name);
            json.member("label", s.label);
            json.member("value", windows1250ToUtf8(s.value));
            json.endObject();
        }
        json.endArray();
    }
    if (!report.batchUnits.empty()) {
        json.key("units");
        json.rawValue(report.batchUnits);
    }
    if (!report.checks.empty()) {
        json.key("checks");
        json.rawValue(report.checks);
    }
    json.endObject();
    return json.text();
}

} // namespace qolmex::cli
