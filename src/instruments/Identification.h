#pragma once

#include <QString>

namespace XQTestDev {

// What an identification reply ("MAKER,MODEL,SERIAL,FIRMWARE") tells: the
// brand and model names and the text of the "Found: " status line. When the
// reply names neither, the brand is made from the found text, or "DEVICE
// UNKNOWN " with `unknown` set.
struct Identification {
    QString brandName;
    QString modelName;
    QString foundText;
    bool unknown = false;
};

Identification parseIdentification(const QString& reply, const QString& delimiter,
                                   QString brandName, QString modelName);

} // namespace XQTestDev
