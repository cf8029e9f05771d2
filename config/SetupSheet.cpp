#include "SetupSheet.h"

#include "Captions.h"
#include "Configuration.h"
#include "HtmlText.h"
#include "SetupSheetStyle.h"

namespace qolmex {
namespace {

constexpr std::string_view product = "QOLMEX 70";
constexpr std::string_view serialLabel = "Sériové číslo";
constexpr std::string_view dateLabel = "Dátum";
constexpr std::string_view nothing = "—";
constexpr std::string_view switchedForGood = "trvalé prepnutie";
constexpr std::string_view smsNotSent = "nezasielajú sa";
constexpr std::string_view warningNotSent = "nezasiela sa";

// "(dní)" as it follows a value: "dní".
std::string_view bare(std::string_view unit) {
    if (unit.size() >= 2 && unit.front() == '(' && unit.back() == ')')
        return unit.substr(1, unit.size() - 2);
    return unit;
}

std::string none() {
    return "<span class=\"none\">" + std::string(nothing) + "</span>";
}

class SheetWriter {
public:
    explicit SheetWriter(const Configuration& config) : config_(config) {}

    void begin(const SetupSheetHeader& header);
    void section(std::string_view heading);
    void row(std::string_view label, const std::string& valueHtml);
    std::string end();

    const FieldDef& field(std::string_view name) const {
        return config_.definition(config_.id(name));
    }
    std::string numbers(ListId list) const;
    std::string text(std::string_view name) const;
    // A whole number with its unit; zero says `zeroMeans` where that is given. A text that is
    // no whole number is shown as it stands, since nothing can be said of it.
    std::string whole(std::string_view name, std::string_view unit = {},
                      std::string_view zeroMeans = {}) const;
    std::string polarity(int input) const;

private:
    const Configuration& config_;
    std::string html_;
    bool inSection_ = false;
};

void SheetWriter::begin(const SetupSheetHeader& header) {
    std::string title = std::string(captions::setupSheet) + " " + std::string(product);
    if (!header.serialNumber.empty())
        title += " " + header.serialNumber;
    const std::string date = std::to_string(header.day) + ". " + std::to_string(header.month) +
                             ". " + std::to_string(header.year);
    html_ = "<!DOCTYPE html>\n<html lang=\"sk\">\n<head>\n<meta charset=\"utf-8\">\n"
            // Nothing but the page itself may load or run, whatever a text holds.
            "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
            "style-src 'unsafe-inline'\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<title>" +
            htmlEscaped(title) + "</title>\n<style>" + std::string(setupSheetStyle) +
            "</style>\n</head>\n<body>\n<h1>" +
            htmlEscaped(std::string(captions::setupSheet) + " " + std::string(product)) +
            "</h1>\n<p class=\"meta\">";
    if (!header.serialNumber.empty())
        html_ += htmlEscaped(serialLabel) + ": <b>" + htmlEscaped(header.serialNumber) +
                 "</b> &middot; ";
    html_ += htmlEscaped(dateLabel) + ": " + date + "</p>\n";
}

void SheetWriter::section(std::string_view heading) {
    if (inSection_)
        html_ += "</table>\n</section>\n";
    html_ += "<section>\n<h2>" + htmlEscaped(heading) + "</h2>\n<table>\n";
    inSection_ = true;
}

void SheetWriter::row(std::string_view label, const std::string& valueHtml) {
    html_ += "<tr><th>" + htmlEscaped(label) + "</th><td>" + valueHtml + "</td></tr>\n";
}

std::string SheetWriter::end() {
    if (inSection_)
        html_ += "</table>\n</section>\n";
    inSection_ = false;
    html_ += "</body>\n</html>\n";
    return std::move(html_);
}

std::string SheetWriter::numbers(ListId list) const {
    std::string items;
    for (int k = 1; k <= numberList(list).size; ++k) {
        const std::string& number = config_.text(config_.position(list, k));
        if (number.empty())
            break; // the list rule keeps the numbers a run from position 1
        items += "<li>" + htmlText(number) + "</li>";
    }
    return items.empty() ? none() : "<ol>" + items + "</ol>";
}

std::string SheetWriter::text(std::string_view name) const {
    const std::string& bytes = config_.text(name);
    return bytes.empty() ? none() : "<span class=\"text\">" + htmlText(bytes) + "</span>";
}

std::string SheetWriter::whole(std::string_view name, std::string_view unit,
                               std::string_view zeroMeans) const {
    const std::string& stored = config_.text(name);
    const auto value = parseFixed(stored);
    if (!value || *value % fixedScale != 0)
        return stored.empty() ? none() : "<span class=\"text\">" + htmlText(stored) + "</span>";
    if (*value == 0 && !zeroMeans.empty())
        return htmlEscaped(zeroMeans);
    std::string shown = formatFixed(*value);
    if (!unit.empty())
        shown += " " + std::string(bare(unit));
    return htmlEscaped(shown);
}

// What the unit is told: "Rozpínací" when its button is chosen, "Spínací" otherwise.
std::string SheetWriter::polarity(int input) const {
    const std::string n = std::to_string(input);
    const bool opening = config_.isChosen("rbVST" + n + "_2");
    const FieldDef& chosen = field("rbVST" + n + (opening ? "_2" : "_1"));
    return htmlEscaped(captions::placeOf(chosen).label) + " <span class=\"none\">&ndash; " +
           htmlEscaped(captions::hintOf(chosen)) + "</span>";
}

} // namespace

std::string setupSheetHtml(const Configuration& config, const SetupSheetHeader& header) {
    using namespace captions;
    SheetWriter sheet(config);
    sheet.begin(header);
    const ListId ring[] = {ListId::POV1, ListId::POV2};
    const ListId sms[] = {ListId::POO1, ListId::POO2};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        sheet.section(outputSmsPage[i]);
        sheet.row(ringPageHint[i], sheet.numbers(ring[i]));
        sheet.row(smsNumbersPageHint[i], sheet.numbers(sms[i]));
        sheet.row(oneLine(smsOn), sheet.text("memoSMSZAP" + n));
        sheet.row(oneLine(smsOff), sheet.text("memoSMSVYP" + n));
        sheet.row(relayTime, sheet.whole("SpinCASRELE" + n, {}, switchedForGood));
    }
    const ListId smsNumbers[] = {ListId::TCV1, ListId::TCV2};
    const ListId soundNumbersList[] = {ListId::PZS1, ListId::PZS2};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        sheet.section(inputPage[i]);
        sheet.row(inputsGroup, sheet.numbers(smsNumbers[i]));
        sheet.row(soundNumbers, sheet.numbers(soundNumbersList[i]));
        sheet.row(oneLine(smsOnActivation), sheet.text("memoSMSV" + n));
        sheet.row(oneLine(smsOnDeactivation), sheet.text("memoSMSNV" + n));
        sheet.row(polarity, sheet.polarity(static_cast<int>(i) + 1));
        sheet.row(delay, sheet.whole("spinDELAY" + n));
    }
    sheet.section(statusGroup);
    sheet.row(statusGroupHint, sheet.numbers(ListId::TCZSSMS));
    sheet.row(interval, sheet.whole("spinINTERVAL", days, smsNotSent));
    sheet.row(hourOfDay, sheet.whole("spinCAS", hours));
    sheet.row(oneLine(credit), sheet.whole("spinKREDIT", euro, warningNotSent));
    return sheet.end();
}

} // namespace qolmex
