#include "projectfilename.h"

#include <QFile>
#include <algorithm>
#include <unistd.h>

namespace ProjectFileName {
namespace {

bool isOnlyBlanksAndDots(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.isSpace() || c == u'.'; });
}

bool hasControlCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

qsizetype longestIn(const QDir &folder)
{
    const long longest =
        ::pathconf(QFile::encodeName(folder.absolutePath()).constData(), _PC_NAME_MAX);
    return longest > 0 ? qsizetype(longest) : 255;
}

bool isUsable(const QString &number, const QString &suffix, qsizetype longestName)
{
    if (number.isEmpty() || number.contains(u'/') || number.contains(u'\\') ||
        number.contains(QLatin1String("..")) || hasControlCharacter(number) ||
        isOnlyBlanksAndDots(number))
        return false;
    // Written first as "<name>.XXXXXX" where the file system has no unnamed temporary files.
    const QString temporaryName = number + suffix + QStringLiteral(".XXXXXX");
    return QFile::encodeName(temporaryName).size() <= longestName;
}

} // namespace ProjectFileName
