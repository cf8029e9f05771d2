#include "SettingsDiff.h"

#include "config/Configuration.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/FieldLabel.h"

namespace qolmex::cli {
namespace {

bool sameSetting(const FieldDef& field, const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    if (field.kind != FieldKind::WholeNumber)
        return false;
    const auto x = wholeNumberOf(a);
    const auto y = wholeNumberOf(b);
    return x && y && *x == *y;
}

} // namespace

std::string settingValue(const Configuration& config, const FieldDef& field) {
    const FieldId id = config.id(field.name);
    if (field.kind == FieldKind::Polarity)
        return config.isChosen(id) ? "1" : "0";
    return config.text(id);
}

std::vector<Difference> compareSettings(const Configuration& a, const Configuration& b) {
    std::vector<Difference> differences;
    for (const FieldDef& field : fieldTable()) {
        std::string x = settingValue(a, field);
        std::string y = settingValue(b, field);
        if (!sameSetting(field, x, y))
            differences.push_back({field.name, fieldLabel(field.name), std::move(x), std::move(y)});
    }
    return differences;
}

} // namespace qolmex::cli
