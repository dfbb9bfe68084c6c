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
    QStringList items;
    for (const QString& item : list.split(QLatin1Char(','))) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

QStringList listItemsAsWritten(const QString& list) {
    QStringList items;
    for (const QString& item : list.split(QLatin1Char(','))) {
        if (!item.trimmed().isEmpty())
            items << item;
    }
    return items;
}

} // namespace XQTestDev
