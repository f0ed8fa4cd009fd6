#include "officeprofile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The product version in the installation's configuration data: the value of ooSetupVersion
// in its Product node (the schema's declaration of it carries a type and no value).
QString setupVersion(const QString &mainXcd)
{
    QFile file(mainXcd);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray data = file.readAll();
    const QByteArray property = "<prop oor:name=\"ooSetupVersion\">";
    const qsizetype at = data.indexOf(property);
    if (at < 0)
        return QString();
    const qsizetype start = data.indexOf("<value>", at + property.size());
    const qsizetype end = data.indexOf("</value>", start);
    if (start < 0 || end < 0 || data.indexOf("</prop>", at) < end)
        return QString();
    const qsizetype from = start + 7;
    return QString::fromUtf8(data.mid(from, end - from)).trimmed();
}

QString buildId(const QString &versionrc)
{
    QFile file(versionrc);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("buildid=")))
            return line.mid(8);
    }
    return QString();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() &&
           file.commit();
}

// One property of the office's configuration, as its registry file states it.
QString registryItem(const QString &path, const QString &property, const QString &value)
{
    return QStringLiteral("<item oor:path=\"%1\"><prop oor:name=\"%2\" oor:op=\"fuse\">"
                          "<value>%3</value></prop></item>\n")
        .arg(path, property, value.toHtmlEscaped());
}

} // namespace

OfficeProfile::Installation OfficeProfile::readInstallation(const QString &programDir)
{
    const QDir program(programDir);
    return {setupVersion(program.filePath(QStringLiteral("../share/registry/main.xcd"))),
            buildId(program.filePath(QStringLiteral("versionrc")))};
}

OfficeStatus OfficeProfile::seed(const QString &folder, const Installation &installation)
{
    const QDir user(QDir(folder).filePath(QStringLiteral("user")));
    // The office speaks Chinese to the user, as the program does (its help document's window,
    // the names of file types), where its Chinese language pack is installed.
    QString items = registryItem(QStringLiteral("/org.openoffice.Office.Linguistic/General"),
                                 QStringLiteral("UILocale"), QStringLiteral("zh-CN"));
    if (!installation.version.isEmpty())
        items += registryItem(QStringLiteral("/org.openoffice.Setup/Product"),
                              QStringLiteral("ooSetupLastVersion"), installation.version);
    const QString registry =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
                       "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
                       "%1</oor:items>\n")
            .arg(items);
    bool written =
        writeFile(user.filePath(QStringLiteral("registrymodifications.xcu")), registry.toUtf8());
    if (written && !installation.buildId.isEmpty())
        written = writeFile(user.filePath(QStringLiteral("extensions/buildid")),
                            installation.buildId.toUtf8());
    if (!written)
        return {OfficeStatus::CannotStart, QStringLiteral("无法写入办公软件的临时配置文件夹：%1")
                                               .arg(QDir::toNativeSeparators(folder))};
    return OfficeStatus::success();
}
