#include "fieldchecks.h"

#include "vbtext.h"

namespace FieldChecks {

QString titleText()
{
    return QStringLiteral("澜梧省科技计划项目执行情况年度调查");
}

bool projectNumberFormat(const QString &text)
{
    return text.size() == 12;
}

QString projectNumberMessage()
{
    return QStringLiteral("项目编号格式错误。");
}

QString duplicateNumberMessage()
{
    return QStringLiteral("项目编号已存在，请核对。");
}

bool emailAddress(const QString &text)
{
    const qsizetype length = text.size();
    qsizetype p = length + 1;
    for (qsizetype i = 2; i <= length; ++i) {
        if (text.at(i - 1) == u'@') {
            p = i;
            break;
        }
    }
    return p <= length - 1;
}

QString emailMessage()
{
    return QStringLiteral("Email地址格式错误。");
}

Appraisal appraisalDate(const QString &jb81, const QString &jb82, const QString &startYear)
{
    if (VbText::numericValue(jb81) == 2)
        return Appraisal::NotAppraised;
    const bool badForm = jb82.size() < 5 || jb82.at(4) != u'-';
    const bool beforeStart = VbText::numericValue(startYear) > VbText::numericValue(jb82);
    return badForm || beforeStart ? Appraisal::Fail : Appraisal::Pass;
}

QString appraisalMessage()
{
    return QStringLiteral("鉴定日期格式或时间有误。");
}

QString withoutQuotes(const QString &text)
{
    QString out = text;
    out.remove(u'"');
    return out;
}

QString fillInDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace FieldChecks
