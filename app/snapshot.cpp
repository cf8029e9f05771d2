// Renders the main window without a display, for a look at its layout:
//   qolmex70-snapshot [folder]
// writes fMain.png (as it opens), fMain-pages.png (the second pages, with some numbers and
// texts filled in), fMain-sms-numbers.png (the SMS numbers of output 2) and the two progress
// dialogs, fSend.png waiting for the unit and fRead.png half way, into the folder, the current
// one by default.
#include "SlovakQtTranslation.h"
#include "TfMain.h"
#include "transfer/TransferTexts.h"
#include "transfer/uRead.h"
#include "transfer/uSend.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void fillSample(qolmex::Configuration& config) {
    for (int k = 1; k <= 50; ++k)
        config.setText("editPOV2_" + std::to_string(k), "+42190" + std::to_string(1000000 + k));
    for (int k = 1; k <= 3; ++k)
        config.setText("editPOO2_" + std::to_string(k), "+421905123456");
    config.setText("memoSMSV2", "Alarm: vstup 2 aktivovan\xfd"); // ý from a unit
    config.setText("memoSMSZAP2", "ZAP2");
    config.setText("spinDELAY2", "10");
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qolmex::installSlovakQtTranslation(app);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return 1;

    qolmex::TfMain fMain;
    fMain.show();
    if (!save(fMain, folder, QStringLiteral("fMain.png")))
        return 1;

    fillSample(fMain.configuration());
    for (QTabWidget* pager : fMain.findChildren<QTabWidget*>())
        pager->setCurrentIndex(1);
    if (!save(fMain, folder, QStringLiteral("fMain-pages.png")))
        return 1;

    fMain.findChild<QTabWidget*>(QStringLiteral("pagerOutputNumbers"))->setCurrentIndex(3);
    if (!save(fMain, folder, QStringLiteral("fMain-sms-numbers.png")))
        return 1;

    qolmex::TfSend& send = fMain.fSend();
    send.setLabel(qolmex::texts::waitingLabel);
    send.setGaugeVisible(false);
    send.showDialog();
    qolmex::TfRead& read = fMain.fRead();
    read.setLabel(qolmex::texts::transferringLabel);
    read.setCancelVisible(false);
    read.setProgress(2040);
    read.showDialog();
    return save(send, folder, QStringLiteral("fSend.png")) &&
                   save(read, folder, QStringLiteral("fRead.png"))
               ? 0
               : 1;
}
