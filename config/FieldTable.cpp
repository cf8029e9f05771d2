#include "FieldDef.h"

namespace qolmex {
namespace {

constexpr int phoneLimit = 14;
constexpr int smsLimit = 127;

FieldDef row(std::string name, FieldKind kind, std::string section) {
    FieldDef f;
    f.name = std::move(name);
    f.kind = kind;
    f.section = std::move(section);
    return f;
}

class TableBuilder {
public:
    void positions(const std::string& section, ListId id) {
        const NumberList& list = numberList(id);
        for (int k = 1; k <= list.size; ++k) {
            FieldDef f =
                row(std::string(list.prefix) + std::to_string(k), FieldKind::PhoneNumber, section);
            f.list = id;
            f.listNumber = list.listNumber;
            f.position = k;
            f.typingLimit = phoneLimit;
            rows.push_back(std::move(f));
        }
    }

    void texts(const std::string& section, const std::string& stem, FieldKind kind) {
        for (int n = 1; n <= 2; ++n) {
            FieldDef f = row(stem + std::to_string(n), kind, section);
            f.number = n;
            f.typingLimit = kind == FieldKind::SmsText ? smsLimit : phoneLimit;
            rows.push_back(std::move(f));
        }
    }

    void whole(const std::string& section, const std::string& name, int number, std::int64_t min,
               std::int64_t max, int typingLimit) {
        FieldDef f = row(name, FieldKind::WholeNumber, section);
        f.number = number;
        f.minValue = min;
        f.maxValue = max;
        f.typingLimit = typingLimit;
        f.initialText = std::to_string(min);
        rows.push_back(std::move(f));
    }

    void polarity(int input, int choice) {
        FieldDef f = row("rbVST" + std::to_string(input) + "_" + std::to_string(choice),
                         FieldKind::Polarity, "AKT-DEAKT");
        f.number = input;
        f.choice = choice;
        f.initiallyChosen = choice == 1;
        rows.push_back(std::move(f));
    }

    std::vector<FieldDef> rows;
};

std::vector<FieldDef> buildTable() {
    TableBuilder t;
    t.positions("TCV", ListId::TCV1);
    t.positions("TCV", ListId::TCV2);
    t.positions("POO1_", ListId::POO1);
    t.positions("POO2_", ListId::POO2);
    t.texts("SMSV", "memoSMSV", FieldKind::SmsText);
    t.texts("SMSNV", "memoSMSNV", FieldKind::SmsText);
    t.texts("SMSZAP", "memoSMSZAP", FieldKind::SmsText);
    t.texts("SMSVYP", "memoSMSVYP", FieldKind::SmsText);
    t.texts("DTMFZAP", "MemoDTMFZAP", FieldKind::DtmfCode);
    t.texts("DTMFVYP", "MemoDTMFVYP", FieldKind::DtmfCode);
    t.positions("TCZSSMS", ListId::TCZSSMS);
    t.positions("POV", ListId::POV1);
    t.positions("POV", ListId::POV2);
    t.positions("PZS", ListId::PZS1);
    t.positions("PZS", ListId::PZS2);
    t.whole("INTERVAL", "spinINTERVAL", 0, 0, 180, 3);
    t.whole("CAS", "spinCAS", 0, 0, 23, 2);
    t.whole("CASRELE1", "SpinCASRELE1", 1, 0, 255, 3);
    t.whole("CASRELE2", "SpinCASRELE2", 2, 0, 255, 3);
    t.whole("DELAY1", "spinDELAY1", 1, 1, 255, 3);
    t.whole("DELAY2", "spinDELAY2", 2, 1, 255, 3);
    t.whole("KREDIT", "spinKREDIT", 0, 0, 9, 1);
    t.polarity(1, 1);
    t.polarity(1, 2);
    t.polarity(2, 1);
    t.polarity(2, 2);
    return std::move(t.rows);
}

} // namespace

const std::vector<FieldDef>& fieldTable() {
    static const std::vector<FieldDef> table = buildTable();
    return table;
}

} // namespace qolmex
