#pragma once

#include "Dashboard.h"

#include <QAbstractHttpServer>

namespace XQTestDev::dashboard {

// Hands every request to the dashboard and writes its reply: the HTTP server
// itself does no routing.
class HttpFront : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit HttpFront(Dashboard& dashboard, QObject* parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    Dashboard& dashboard_;
};

} // namespace XQTestDev::dashboard
