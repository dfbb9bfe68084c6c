#pragma once

#include <QString>

namespace XQTestDev {

// A reply turned into a reading: the number (scaled and offset), its text with
// a prefix-scaled value ("2.5") and the unit text with the prefix ("KV").
struct ConvertedReading {
    bool isNumber = false; // false for an empty reply ("----") and "Error"
    double value = 0.0;
    QString valueText;
    QString unitText;
};

struct ConversionSettings {
    QString delimiter = QStringLiteral("\n");
    double scaleFactor = 1.0;
    double offset = 0.0;
    QString unit;
};

ConvertedReading convertReply(const QString& reply, const ConversionSettings& settings);

// The number with grouping and one to three decimals, rounded ("#,##0.0##").
QString formatReadingNumber(double number);

} // namespace XQTestDev
