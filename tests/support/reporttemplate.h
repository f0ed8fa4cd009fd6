#pragma once

// Report templates made through the real word processor, for the office tests and the
// benchmark: one paragraph per bookmark of the report, "NAME=[]" with the bookmark NAME
// between the brackets, so that a made report's text shows what went where.

#include "officestatus.h"

#include <QMap>
#include <QStringList>

class WriterWordApp;

// Writes the template to `path`; the bookmarks named in `leftOut` are not placed (their
// paragraphs stay).
OfficeStatus makeReportTemplate(WriterWordApp &word, const QString &path,
                                const QStringList &leftOut = {});

// The text between the brackets of each paragraph of such a document, by bookmark name.
QMap<QString, QString> textsAtBookmarks(const QString &documentText);

// The same, read from a made report through the word processor.
OfficeStatus readReport(WriterWordApp &word, const QString &path, QMap<QString, QString> *texts);
