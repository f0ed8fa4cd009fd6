#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

// The bookmarks of the report template and what is typed at each: 136 bookmarks, filled in
// one fixed order. A bookmark is named after the field whose text goes there, except the
// date parts TBSJ_1..3 (of TBSJ) and JB82_1..2 (of JB82). Most bookmarks take the field's
// whole text; the cut ones take characters by position, and a shorter text yields what there
// is (the whole text, or nothing).
namespace ReportBookmarks {

constexpr int Count = 136;

// The bookmark names in filling order.
const QStringList &names();

// The field whose text goes at `bookmark`; empty for an unknown name.
QString fieldOf(const QString &bookmark);

// What goes at `bookmark` when its field holds `text`.
QString cut(const QString &bookmark, const QString &text);

// The text of a field, by its code, as the field's box shows it.
using ShownText = std::function<QString(const QString &code)>;

// Every (bookmark, text) pair of a record in filling order, each field read through `shown`.
QList<QPair<QString, QString>> texts(const ShownText &shown);

} // namespace ReportBookmarks
