#include "DesktopIdentity.h"
#include "MainTexts.h"
#include "SessionTrace.h"
#include "SlovakQtTranslation.h"
#include "TfMain.h"
#include "sim/Clock.h"
#include "sim/DemoConfiguration.h"
#include "sim/VirtualUnit.h"

#include <QApplication>

// The programmer with no hardware: the same window, whose only device is a virtual unit
// that answers at the pace of the real 9600-baud line behind an FT232R.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    qolmex::setDesktopIdentity(QString::fromLatin1(qolmex::desktopAppId) + QStringLiteral("-demo"));
    qolmex::installSlovakQtTranslation(app);
    qolmex::RealClock clock;
    qolmex::VirtualUnit unit(clock, {}, qolmex::UnitPacing{.atBaudRate = true});
    qolmex::storeInUnit(qolmex::demoConfiguration(), unit);

    qolmex::SessionTrace trace(unit);
    qolmex::TfMain fMain(&trace.device());
    fMain.setTitleNote(qolmex::texts::demoNote);
    fMain.show();
    if (!trace.failure().isEmpty())
        fMain.showMessage(trace.failure());
    return QApplication::exec();
}
