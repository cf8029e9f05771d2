#include "DesktopIdentity.h"
#include "SessionTrace.h"
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
    qolmex::SessionTrace trace(*device);
    qolmex::TfMain fMain(&trace.device());
    fMain.show();
    if (!trace.failure().isEmpty())
        fMain.showMessage(trace.failure());
    return QApplication::exec();
}
