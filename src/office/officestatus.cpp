#include "officestatus.h"

#include <QDir>

OfficeStatus OfficeStatus::fileNotFound(const QString &path)
{
    return {FileNotFound, QStringLiteral("文件未找到：%1").arg(QDir::toNativeSeparators(path))};
}

OfficeStatus OfficeStatus::permissionDenied(const QString &path)
{
    return {PermissionDenied,
            QStringLiteral("文件无法访问或已被锁定：%1").arg(QDir::toNativeSeparators(path))};
}
