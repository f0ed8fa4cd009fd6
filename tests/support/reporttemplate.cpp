#include "reporttemplate.h"

#include "reportbookmarks.h"
#include "writerwordapp.h"

#include <QRegularExpression>

namespace {

QString placeholder(const QString &name)
{
    return u'{' + name + u'}';
}

} // namespace

OfficeStatus makeReportTemplate(WriterWordApp &word, const QString &path,
                                const QStringList &leftOut)
{
    QStringList paragraphs;
    for (const QString &name : ReportBookmarks::names())
        paragraphs << name + QStringLiteral("=[") + placeholder(name) + u']';
    OfficeStatus status = word.addBlankDocument();
    if (status.ok())
        status = word.typeText(paragraphs.join(u'\r'));
    for (const QString &name : ReportBookmarks::names()) {
        if (status.ok() && !leftOut.contains(name))
            status = word.placeBookmark(placeholder(name), name);
    }
    if (status.ok())
        status = word.saveAs(path);
    word.quit();
    return status;
}

QMap<QString, QString> textsAtBookmarks(const QString &documentText)
{
    // A paragraph "NAME=[text]" up to the next such paragraph (a text may hold line breaks).
    static const QRegularExpression paragraph(
        QStringLiteral("(?:^|\\n)(\\w+)=\\[(.*?)\\](?=\\n\\w+=\\[|$)"),
        QRegularExpression::DotMatchesEverythingOption);
    QMap<QString, QString> texts;
    for (const QRegularExpressionMatch &match : paragraph.globalMatch(documentText))
        texts.insert(match.captured(1), match.captured(2));
    return texts;
}

OfficeStatus readReport(WriterWordApp &word, const QString &path, QMap<QString, QString> *texts)
{
    QString text;
    OfficeStatus status = word.addDocument(path);
    if (status.ok())
        status = word.documentText(&text);
    word.closeDocument();
    *texts = textsAtBookmarks(text);
    return status;
}
