// Loading Qt's Russian translations (Debian: qt6-translations-l10n).
#include "workbench/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vestrel::workbench {

bool installRussianTranslations(QCoreApplication& application) {
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    auto* translator = new QTranslator(&application);
    if (!translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace vestrel::workbench
