#include "savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>

SaveFile::SaveFile(const QString &path) : m_path(QFileInfo(path).absoluteFilePath()) {}

SaveFile::~SaveFile()
{
    if (!m_committed && !m_temporary.isEmpty())
        QFile::remove(m_temporary);
}

OfficeStatus SaveFile::prepare()
{
    const QFileInfo target(m_path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return OfficeStatus::failure(
            QStringLiteral("文件夹不存在：%1").arg(QDir::toNativeSeparators(folder.filePath())));
    if (!folder.isWritable() || target.isDir() || (target.exists() && !target.isWritable()))
        return OfficeStatus::permissionDenied(m_path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name =
            QStringLiteral(".~wobzel%1-%2")
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))
                .arg(target.fileName());
        const QString candidate = QDir(target.absolutePath()).filePath(name);
        if (!QFileInfo::exists(candidate)) {
            m_temporary = candidate;
            return OfficeStatus::success();
        }
    }
    return OfficeStatus::permissionDenied(m_path);
}

OfficeStatus SaveFile::commit()
{
    if (!QFileInfo::exists(m_temporary))
        return OfficeStatus::failure(
            QStringLiteral("文件没有写成：%1").arg(QDir::toNativeSeparators(m_path)));
    if (std::rename(QFile::encodeName(m_temporary).constData(),
                    QFile::encodeName(m_path).constData()) != 0) {
        const bool denied = errno == EACCES || errno == EPERM || errno == EBUSY;
        QFile::remove(m_temporary);
        return denied
                   ? OfficeStatus::permissionDenied(m_path)
                   : OfficeStatus::failure(
                         QStringLiteral("文件无法写入：%1").arg(QDir::toNativeSeparators(m_path)));
    }
    m_committed = true;
    return OfficeStatus::success();
}
