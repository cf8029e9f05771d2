#include "TfMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    qolmex::TfMain fMain;
    fMain.show();
    return QApplication::exec();
}
