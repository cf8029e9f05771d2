// Writes what the browser test of the setup sheet prints into a folder:
//   qolmex70-sheet-samples FOLDER
// demo.kvx     the demo's configuration, with DTMF codes, which the sheet must leave out
// odd.bin      a unit's memory whose SMS text holds "<", "&", a CR LF and a Slovak letter
//              (a .kvx line cannot carry a line break)
// numbers.txt  every phone number of demo.kvx, one a line
// dtmf.txt     its DTMF codes, one a line
// window.html  the sheet of demo.kvx as the window saves it, through its Ctrl+P action
#include "app/SetupSheetAction.h"
#include "app/TfMain.h"
#include "config/ConfigurationFile.h"
#include "sim/DemoConfiguration.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <fstream>
#include <set>

namespace {

using qolmex::Configuration;

const char* const dtmfCodes[][2] = {
    {"MemoDTMFZAP1", "4711"},
    {"MemoDTMFVYP1", "1357"},
    {"MemoDTMFZAP2", "8086"},
    {"MemoDTMFVYP2", "2468"},
};

void writeLines(const std::string& path, const std::set<std::string>& lines) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : lines)
        out << line << "\n";
}

// The sheet the window saves when the user picks `path` in its dialog; false when it did not.
bool saveThroughTheWindow(const std::string& kvx, const QString& path) {
    qolmex::TfMain fMain;
    qolmex::ConfigurationFile::load(fMain.configuration(), kvx);
    fMain.setupSheet().setDialog([path](QWidget*, const qolmex::FileDialogRequest&) {
        return qolmex::FileDialogChoice{path, {}};
    });
    bool opened = false;
    fMain.setupSheet().setOpener([&opened](const QString&) { return opened = true; });
    fMain.setMessageFunction(
        [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); });
    fMain.setupSheetAction()->trigger();
    return opened;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qolmex70-sheet-samples FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const auto file = [&folder](const char* name) { return folder.filePath(name).toStdString(); };

    Configuration demo = qolmex::demoConfiguration();
    std::set<std::string> codes;
    for (const auto& [name, code] : dtmfCodes) {
        demo.setText(name, code);
        codes.insert(code);
    }
    qolmex::ConfigurationFile::save(demo, file("demo.kvx"));
    std::set<std::string> numbers;
    for (qolmex::FieldId id = 0; id < demo.size(); ++id)
        if (demo.definition(id).list && !demo.text(id).empty())
            numbers.insert(demo.text(id));
    writeLines(file("numbers.txt"), numbers);
    writeLines(file("dtmf.txt"), codes);

    Configuration odd;
    odd.setText("memoSMSV1", "Dvere <A&B>\r\n\x9e"
                             "iadne"); // 0x9E is "ž"
    const qolmex::VirtualUnit::Memory memory = qolmex::unitMemoryOf(odd);
    std::ofstream(file("odd.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), std::streamsize(memory.size()));

    return saveThroughTheWindow(file("demo.kvx"), folder.filePath("window.html")) ? 0 : 1;
}
