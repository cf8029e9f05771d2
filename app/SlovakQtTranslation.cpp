#include "SlovakQtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>

namespace qolmex {
namespace {

// Qt 6 asks for the standard buttons' texts (Yes, No, Cancel of a message box) under the
// context QPlatformTheme, while the Slovak catalogue still has them under QDialogButtonBox,
// where Qt 5 asked; without this a replace question would offer "&Yes" and "&No".
class QtBaseTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isNull() && context && std::strcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }
};

} // namespace

bool installSlovakQtTranslation(QCoreApplication& app) {
    const QStringList folders = {
        QStringLiteral(":/translations"), // built in, where Qt is linked statically
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
    };
    for (const QString& folder : folders) {
        // Owned by the application, so it lives as long as Qt may ask it for a text.
        auto* translator = new QtBaseTranslator(&app);
        if (translator->load(QStringLiteral("qtbase_sk"), folder) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

} // namespace qolmex
