#include "run/EntryText.h"

namespace XQTestDev {

QString withoutControlCharacters(const QString& typed) {
    QString kept;
    kept.reserve(typed.size());
    for (QChar c : typed) {
        if (c.category() != QChar::Other_Control)
            kept += c;
    }
    return kept;
}

QStringList trimmedListItems(const QString& list) {
    QStringList items = listItemsAsWritten(list);
    for (QString& item : items)
        item = item.trimmed();
    return items;
}

QStringList listItemsAsWritten(const QString& list) {
    if (list.isEmpty())
        return {};
    return list.split(QLatin1Char(','));
}

} // namespace XQTestDev
