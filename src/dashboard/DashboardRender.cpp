#include "DashboardRender.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QUrl>

#include <cmath>

namespace XQTestDev::dashboard {

namespace {

QJsonValue jsonValue(const QVariant& value, ColumnKind kind) {
    if (value.isNull())
        return QJsonValue::Null;
    switch (kind) {
    case ColumnKind::Integer:
        return QJsonValue(value.toLongLong());
    case ColumnKind::Fraction:
    case ColumnKind::Number:
        return QJsonValue(value.toDouble());
    case ColumnKind::List:
        return value.toJsonArray();
    case ColumnKind::Text:
    case ColumnKind::Time:
        break;
    }
    return QJsonValue(value.toString());
}

// One element of a list cell: a text, a failed line ("2 Ripple: 0.07 V
// (… 0.05)") or an instrument ("GPIB0::22::INSTR: <identification>").
QString listItemText(const QJsonValue& item) {
    if (!item.isObject())
        return item.toVariant().toString();
    const QJsonObject object = item.toObject();
    const auto text = [&object](const char* key) {
        return object.value(QLatin1String(key)).toString();
    };
    if (object.contains(QLatin1String("resource")))
        return text("resource") + QStringLiteral(": ") + text("idn");
    QString line = QStringLiteral("%1 %2: %3").arg(text("key"), text("parameter"), text("value"));
    if (!text("unit").isEmpty())
        line += u' ' + text("unit");
    if (!text("min").isEmpty() || !text("max").isEmpty())
        line += QStringLiteral(" (%1 … %2)")
                    .arg(text("min"), text("max"))
                    .replace(QStringLiteral("( "), QStringLiteral("("))
                    .replace(QStringLiteral(" )"), QStringLiteral(")"));
    return line;
}

QString csvField(QString text, ColumnKind kind) {
    if (kind == ColumnKind::Text && !text.isEmpty() &&
        (text.front() == u'=' || text.front() == u'+' || text.front() == u'@'))
        text.prepend(u'\'');
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r'))
        return QLatin1Char('"') + text.replace(u'"', QStringLiteral("\"\"")) + QLatin1Char('"');
    return text;
}

QString plainText(const QVariant& value, ColumnKind kind) {
    if (value.isNull())
        return {};
    if (kind == ColumnKind::List) {
        QStringList items;
        for (const QJsonValue& item : value.toJsonArray())
            items << listItemText(item);
        return items.join(QStringLiteral("; "));
    }
    if (kind == ColumnKind::Fraction || kind == ColumnKind::Number)
        return QString::number(value.toDouble(), 'g', 10);
    return value.toString();
}

QString cellHtml(const QVariant& value, const Column& column, const QString& link) {
    if (column.kind == ColumnKind::List) {
        const QJsonArray items = value.toJsonArray();
        if (items.isEmpty())
            return QString();
        QString html = QStringLiteral("<ul>");
        for (const QJsonValue& item : items)
            html += QStringLiteral("<li>%1</li>").arg(htmlEscaped(listItemText(item)));
        return html + QStringLiteral("</ul>");
    }
    const QString text = htmlEscaped(cellText(value, column.kind));
    if (link.isEmpty())
        return text;
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(htmlEscaped(link), text);
}

bool isNumeric(ColumnKind kind) {
    return kind == ColumnKind::Integer || kind == ColumnKind::Fraction ||
           kind == ColumnKind::Number;
}

// Numbers to the right; a number under its column's goal flagged.
QString cellClass(const QVariant& value, const Column& column) {
    if (!isNumeric(column.kind))
        return {};
    const bool low =
        !std::isnan(column.flagBelow) && !value.isNull() && value.toDouble() < column.flagBelow;
    return low ? QStringLiteral(" class=\"num low\" title=\"under %1\"")
                     .arg(QString::number(column.flagBelow))
               : QStringLiteral(" class=\"num\"");
}

} // namespace

QString htmlEscaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString pathSegment(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString queryValue(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QByteArray tableJson(const Table& table) {
    QJsonArray rows;
    for (const QVariantList& row : table.rows) {
        QJsonObject object;
        for (int i = 0; i < table.columns.size(); ++i)
            object.insert(table.columns[i].key, jsonValue(row.value(i), table.columns[i].kind));
        rows.append(object);
    }
    return QJsonDocument(rows).toJson(QJsonDocument::Compact);
}

QByteArray tableCsv(const Table& table) {
    QStringList lines;
    QStringList heading;
    for (const Column& column : table.columns)
        heading << csvField(column.key, ColumnKind::Text);
    lines << heading.join(u',');
    for (const QVariantList& row : table.rows) {
        QStringList fields;
        for (int i = 0; i < table.columns.size(); ++i)
            fields << csvField(plainText(row.value(i), table.columns[i].kind),
                               table.columns[i].kind);
        lines << fields.join(u',');
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QString cellText(const QVariant& value, ColumnKind kind) {
    if (value.isNull())
        return {};
    switch (kind) {
    case ColumnKind::Fraction:
        return QString::number(value.toDouble() * 100.0, 'f', 1) + QStringLiteral(" %");
    case ColumnKind::Number:
        return QString::number(value.toDouble(), 'g', 5);
    case ColumnKind::Integer:
    case ColumnKind::Text:
    case ColumnKind::Time:
    case ColumnKind::List:
        break;
    }
    return plainText(value, kind);
}

QString tableHtml(const Table& table, const QList<LinkedColumn>& links, const QString& id,
                  const QString& attributes, const QString& emptyText) {
    QString html = QStringLiteral("<div class=\"scroll\"><table");
    if (!id.isEmpty())
        html += QStringLiteral(" id=\"%1\"").arg(htmlEscaped(id));
    if (!attributes.isEmpty())
        html += u' ' + attributes;
    html += QStringLiteral("><thead><tr>");
    for (const Column& column : table.columns)
        html += QStringLiteral("<th data-key=\"%1\"%2>%3</th>")
                    .arg(htmlEscaped(column.key),
                         isNumeric(column.kind) ? QStringLiteral(" class=\"num\"") : QString(),
                         htmlEscaped(column.caption));
    html += QStringLiteral("</tr></thead><tbody>");
    for (const QVariantList& row : table.rows) {
        html += QStringLiteral("<tr>");
        for (int i = 0; i < table.columns.size(); ++i) {
            QString link;
            for (const LinkedColumn& linked : links) {
                if (linked.key == table.columns[i].key)
                    link = linked.link(row);
            }
            html += QStringLiteral("<td%1>%2</td>")
                        .arg(cellClass(row.value(i), table.columns[i]),
                             cellHtml(row.value(i), table.columns[i], link));
        }
        html += QStringLiteral("</tr>");
    }
    if (table.rows.isEmpty())
        html += QStringLiteral("<tr><td class=\"empty\" colspan=\"%1\">%2</td></tr>")
                    .arg(table.columns.size())
                    .arg(htmlEscaped(emptyText.isEmpty() ? QStringLiteral("No runs in this period.")
                                                         : emptyText));
    // A table wider than a narrow screen scrolls sideways in its own box;
    // the page itself never does.
    return html + QStringLiteral("</tbody></table></div>");
}

QByteArray htmlPage(const QString& title, const QString& body) {
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
               "<title>%1 · xq-dashboard</title>"
               "<link rel=\"stylesheet\" href=\"/static/dashboard.css\">"
               "<script src=\"/static/chart.min.js\" defer></script>"
               "<script src=\"/static/dashboard.js\" defer></script></head>"
               "<body><header><a class=\"home\" href=\"/\">xq-dashboard</a>"
               "<form action=\"/unit\" method=\"get\" class=\"find\">"
               "<input name=\"serial\" placeholder=\"Serial number\" maxlength=\"200\">"
               "<button>Find unit</button></form></header><main>%2</main></body></html>\n")
        .arg(htmlEscaped(title), body)
        .toUtf8();
}

} // namespace XQTestDev::dashboard
