#include "DesktopIdentity.h"
#include "SlovakQtTranslation.h"
#include "TfMain.h"
#include "usb/RealD2xx.h"

#include <QApplication>

// The real programmer: the unit's bridge through the vendor's D2XX library where it is
// installed, or through the system's serial driver.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    qolmex::setDesktopIdentity(QString::fromLatin1(qolmex::desktopAppId));
    qolmex::installSlovakQtTranslation(app);
    const auto device = qolmex::makeRealD2xxLibrary();
    qolmex::TfMain fMain(device.get());
    fMain.show();
    return QApplication::exec();
}
