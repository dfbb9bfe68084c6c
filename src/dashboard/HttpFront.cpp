#include "HttpFront.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>

namespace XQTestDev::dashboard {

namespace {

QByteArray methodName(QHttpServerRequest::Method method) {
    switch (method) {
    case QHttpServerRequest::Method::Get:
        return "GET";
    case QHttpServerRequest::Method::Head:
        return "HEAD";
    default:
        return "OTHER";
    }
}

} // namespace

HttpFront::HttpFront(Dashboard& dashboard, QObject* parent)
    : QAbstractHttpServer(parent), dashboard_(dashboard) {}

bool HttpFront::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    const Reply reply = dashboard_.handle(methodName(request.method()), request.url());
    QHttpServerResponder responder = makeResponder(request, socket);
    // Nothing of another site may run on these pages, and nothing is loaded
    // from outside: the factory LAN has no internet.
    responder.write(
        reply.body,
        {{"Content-Type", reply.contentType},
         {"Content-Security-Policy", "default-src 'self'; img-src 'self' data:; style-src 'self'"},
         {"X-Content-Type-Options", "nosniff"},
         {"Cache-Control", "no-store"}},
        static_cast<QHttpServerResponder::StatusCode>(reply.status));
    return true;
}

void HttpFront::missingHandler(const QHttpServerRequest&, QTcpSocket*) {}

} // namespace XQTestDev::dashboard
