#include "DesktopIdentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace qolmex {

void setDesktopIdentity(const QString& desktopFileName) {
    QGuiApplication::setDesktopFileName(desktopFileName);
    const QIcon icon = QIcon::fromTheme(QString::fromLatin1(desktopAppId));
    if (!icon.isNull())
        QGuiApplication::setWindowIcon(icon);
}

} // namespace qolmex
