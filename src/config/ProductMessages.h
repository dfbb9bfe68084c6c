#pragma once

#include <QString>

// The fixed texts about a product's lines in PRODUCTS.INI, word for word:
// whoever reads the lines (the menu, the results file, the report) shows them.
namespace XQTestDev::ProductMessages {

inline QString specNotCompleted(int line) {
    return QStringLiteral("Specification Info. in INI is not completed or missing at line #%1!")
        .arg(line);
}
inline QString specNotComplete(int line) {
    return QStringLiteral("Specification Info. in INI is not complete or missing at line #%1!")
        .arg(line);
}
inline QString specError(int line) {
    return QStringLiteral("Warning! spec. error detected at line #%1").arg(line);
}
inline QString endTagNotFound() {
    return QStringLiteral("There is not found the End Of Test <EOT> tag!");
}
inline QString endTagNotReached() {
    return QStringLiteral("Can't reach to End Of Test <EOT> record!");
}
inline QString missingProductName() {
    return QStringLiteral("Not found or missing product name property!");
}
inline QString specLineMissing(const QString& product, int line) {
    return QStringLiteral("Not found information for section name [") + product +
           QStringLiteral(" Spec]! Line#") + QString::number(line);
}

} // namespace XQTestDev::ProductMessages
