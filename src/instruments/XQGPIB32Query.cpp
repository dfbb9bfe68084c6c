// XQGPIB32::Query: one command and its reply, for station programs that read
// an instrument without its panel.

#include <XQTestDev/XQGPIB32.h>

#include "instruments/GpibStatusText.h"
#include "instruments/GpibTransport.h"
#include "instruments/XQGPIB32Private.h"

namespace XQTestDev {

namespace {

// What went wrong, in the words of the driver and then of the system.
QString failureText(const XQGPIB32Private& d, const QString& command) {
    const TransportStatus status = d.transport ? d.transport->status() : gpibBusStatus();
    QString text = gpibStatusText(status.statusWord, status.errorCode);
    if (!status.reason.isEmpty())
        text += status.reason + QStringLiteral("; ");
    if (text.isEmpty())
        text = QStringLiteral("Error sending ") + command + QStringLiteral(" command!");
    return text;
}

} // namespace

QString XQGPIB32::Query(const QString& command, QString* failure) {
    const auto failed = [&] {
        d->errorStatus = true;
        if (failure)
            *failure = failureText(*d, command);
        return QString();
    };
    if (failure)
        failure->clear();
    if (d->simulateMode || !(d->transport && d->transport->isOpen())) {
        d->errorStatus = false;
        d->prepare();
        if (d->errorStatus)
            return failed();
    }
    d->currentCommand = command;
    if (!d->writeCommand())
        return failed();
    d->checkStatus();
    if (d->errorStatus)
        return failed();
    QString reply = d->readReply();
    while (reply.endsWith(QLatin1Char('\n')) || reply.endsWith(QLatin1Char('\r')))
        reply.chop(1);
    if (!d->simulateMode) {
        d->checkStatus();
        if (d->errorStatus)
            return failed();
    }
    return reply;
}

} // namespace XQTestDev
