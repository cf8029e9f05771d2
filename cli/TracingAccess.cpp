#include "TracingAccess.h"

#include "CliTexts.h"
#include "UnitProgramming.h"
#include "UsageError.h"
#include "config/Utf8Path.h"
#include "usb/TracingD2xx.h"

#include <filesystem>

namespace qolmex::cli {

class TracingAccess::Link : public UnitLink {
public:
    Link(std::unique_ptr<UnitLink> inner, std::ostream& out, std::unique_ptr<std::ofstream> own)
        : inner_(std::move(inner)), file_(std::move(own)),
          tracer_(inner_->library(), out, [this] { return inner_->stamp(); }) {}

    D2xxLibrary& library() override { return tracer_; }
    std::chrono::milliseconds now() override { return inner_->now(); }
    std::chrono::nanoseconds stamp() override { return inner_->stamp(); }

private:
    std::unique_ptr<UnitLink> inner_;
    std::unique_ptr<std::ofstream> file_;
    TracingD2xx tracer_;
};

TracingAccess::TracingAccess(std::unique_ptr<UnitAccess> inner, std::string path, bool filePerUnit)
    : inner_(std::move(inner)), path_(std::move(path)), filePerUnit_(filePerUnit) {
    if (filePerUnit_)
        return;
    file_.open(utf8Path(path_), std::ios::binary | std::ios::trunc);
    if (!file_)
        throw UsageError(texts::cannotWrite + path_);
}

TracingAccess::~TracingAccess() = default;

std::string TracingAccess::unitPath(const std::string& path, const BridgeEntry& bridge) {
    const std::filesystem::path whole = utf8Path(path);
    const std::string stem = utf8Name(whole.stem());
    const std::string extension = utf8Name(whole.extension());
    return utf8Name(
        whole.parent_path() /
        utf8Path(stem + "-" + safeFileName(bridge.key()) + extension));
}

std::unique_ptr<UnitLink> TracingAccess::link(const BridgeEntry& bridge) {
    if (!filePerUnit_)
        return std::make_unique<Link>(inner_->link(bridge), file_, nullptr);
    const std::string path = unitPath(path_, bridge);
    auto own = std::make_unique<std::ofstream>(utf8Path(path), std::ios::binary | std::ios::trunc);
    if (!*own)
        throw UsageError(texts::cannotWrite + path);
    std::ofstream& out = *own;
    return std::make_unique<Link>(inner_->link(bridge), out, std::move(own));
}

} // namespace qolmex::cli
