#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <limits>

namespace XQTestDev::dashboard {

// How a column's values are shown: the JSON keeps the value itself, the page
// and the CSV write it for a reader.
enum class ColumnKind {
    Text,
    Integer,
    Fraction, // 0..1, a percentage on the page
    Number,
    Time, // UTC ISO text ("2026-12-10T16:27:52Z")
    List, // a QJsonArray of texts or objects
};

struct Column {
    QString key;     // the JSON key and the CSV heading
    QString caption; // the heading on the page
    ColumnKind kind = ColumnKind::Text;
    // A number under this is flagged on the page (a capability index under
    // its goal); NaN flags nothing.
    double flagBelow = std::numeric_limits<double>::quiet_NaN();
};

// One answer of the database, as every page and API shows it: the same rows
// render as a JSON array of objects, as CSV and as an HTML table. A null
// value is a figure that is not defined (JSON null, an empty cell).
struct Table {
    QList<Column> columns;
    QList<QVariantList> rows;

    int columnOf(const QString& key) const {
        for (int i = 0; i < columns.size(); ++i) {
            if (columns[i].key == key)
                return i;
        }
        return -1;
    }
};

} // namespace XQTestDev::dashboard
