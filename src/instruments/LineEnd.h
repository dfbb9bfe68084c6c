#pragma once

#include <QByteArray>
#include <QString>

namespace XQTestDev {

// Instruments end their replies in LF, CR LF or (older ones) CR alone. Every
// transport hands a reply on with one line end as the GPIB bus gives it, LF;
// and a reading's field never keeps a line end's characters.

// A reply ending in CR LF or in a lone CR ends in LF instead.
QByteArray withBusLineEnd(QByteArray reply);

// The field without the CR and LF characters that end it.
QString withoutLineEnd(QString field);

} // namespace XQTestDev
