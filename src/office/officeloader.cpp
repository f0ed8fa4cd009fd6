#include "officeloader.h"

#include "unavailableoffice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

QString OfficeLoader::libraryFileName()
{
    return QStringLiteral(WOBZEL_OFFICE_LIBRARY_NAME);
}

QString OfficeLoader::libraryPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(libraryFileName());
}

std::unique_ptr<OfficeSuite> OfficeLoader::createSuite(const QString &givenPath)
{
    const QString path = QFileInfo(givenPath).absoluteFilePath();
    auto unavailable = [&](const QString &reason) -> std::unique_ptr<OfficeSuite> {
        return std::make_unique<UnavailableOffice>(
            QStringLiteral("办公软件无法使用：%1").arg(reason));
    };
    if (!QFileInfo::exists(path))
        return unavailable(
            QStringLiteral("找不到办公软件组件 %1。").arg(QDir::toNativeSeparators(path)));
    // Never unloaded: the suites it makes run its code until the program ends.
    QLibrary library(path);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint | QLibrary::ExportExternalSymbolsHint);
    if (!library.load())
        return unavailable(library.errorString());
    auto create =
        reinterpret_cast<CreateOfficeSuiteFunction *>(library.resolve(createOfficeSuiteSymbol));
    if (!create)
        return unavailable(
            QStringLiteral("办公软件组件 %1 没有入口 %2。")
                .arg(QDir::toNativeSeparators(path), QLatin1String(createOfficeSuiteSymbol)));
    OfficeSuite *suite = create();
    if (!suite)
        return unavailable(QStringLiteral("办公软件组件 %1 没有提供办公程序。")
                               .arg(QDir::toNativeSeparators(path)));
    return std::unique_ptr<OfficeSuite>(suite);
}
