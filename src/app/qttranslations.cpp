#include "qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

namespace {
Q_LOGGING_CATEGORY(lcTranslations, "wobzel2011.translations")
}

bool installQtChineseTranslations(QCoreApplication &application)
{
    // Owned by the application, so the texts stay translated for the whole run.
    auto *translator = new QTranslator(&application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        qCWarning(lcTranslations) << "Qt's Chinese translations not found in" << folder;
        delete translator;
        return false;
    }
    return true;
}
