#include "instruments/LineEnd.h"

namespace XQTestDev {

QByteArray withBusLineEnd(QByteArray reply) {
    if (reply.endsWith("\r\n"))
        reply.remove(reply.size() - 2, 1);
    else if (reply.endsWith('\r'))
        reply[reply.size() - 1] = '\n';
    return reply;
}

QString withoutLineEnd(QString field) {
    qsizetype end = field.size();
    while (end > 0 && (field[end - 1] == QLatin1Char('\r') || field[end - 1] == QLatin1Char('\n')))
        --end;
    field.truncate(end);
    return field;
}

} // namespace XQTestDev
