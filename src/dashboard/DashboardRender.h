#pragma once

#include "DashboardTable.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace XQTestDev::dashboard {

// Every text that reaches a page goes through here: &, <, >, " and ' as
// entities, so a serial number "<script>" shows as text.
QString htmlEscaped(const QString& text);
// A text as one segment of an address (/unit/<serial>), percent-encoded.
QString pathSegment(const QString& text);
// A query parameter's value, percent-encoded.
QString queryValue(const QString& text);

QByteArray tableJson(const Table& table);
// RFC 4180, with a heading line of the JSON keys. A text a spreadsheet would
// take for a formula (=, +, @) gets a leading apostrophe.
QByteArray tableCsv(const Table& table);

// Gives the address a cell links to, or an empty text for none.
using CellLink = std::function<QString(const QVariantList& row)>;
struct LinkedColumn {
    QString key;
    CellLink link;
};

// The table as HTML, every text escaped; `id` and `attributes` (already
// escaped) go on the <table> element. `emptyText` stands in a table without
// rows ("No runs in this period." when empty).
QString tableHtml(const Table& table, const QList<LinkedColumn>& links = {}, const QString& id = {},
                  const QString& attributes = {}, const QString& emptyText = {});
// A cell as a reader sees it: a fraction as a percentage, numbers shortened.
QString cellText(const QVariant& value, ColumnKind kind);

// A whole page: the heading, navigation, the body (already HTML) and the
// scripts that draw the charts.
QByteArray htmlPage(const QString& title, const QString& body);

} // namespace XQTestDev::dashboard
