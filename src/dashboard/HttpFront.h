#pragma once

#include "Dashboard.h"
#include "WorkerPool.h"

#include <QByteArray>
#include <QHostAddress>

#include <memory>

struct MHD_Daemon;
struct MHD_Connection;

namespace XQTestDev::dashboard {

struct ServerSettings {
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 8080; // 0: any free port
    int workers = 6;     // threads answering pages, each with its connection
    int ioThreads = 2;   // threads reading requests and sending answers
    // A client that sends nothing for this long is dropped.
    int idleTimeoutSeconds = 30;
    // What one connection may hold; a request line or headers that do not fit
    // are answered 414 or 431 and the connection closed.
    int connectionMemory = 32 * 1024;
    QByteArray tlsCertificate; // PEM; both set: HTTPS
    QByteArray tlsKey;
    QByteArray accessToken; // set: every page asks for it
};

// The HTTP server (GNU libmicrohttpd): it reads requests, answers static
// files and refusals at once on its own threads, and hands every page to the
// worker pool, whose threads each hold a database connection. A connection
// waiting for its page is suspended, so that a slow database never holds
// the threads that serve everything else.
class HttpFront {
public:
    HttpFront(Dashboard& dashboard, ServerSettings settings);
    ~HttpFront();
    HttpFront(const HttpFront&) = delete;
    HttpFront& operator=(const HttpFront&) = delete;

    bool start(QString* error);
    quint16 port() const;

    struct Exchange;

private:
    int answer(MHD_Connection* connection, Exchange& exchange, const char* method);

    Dashboard& dashboard_;
    ServerSettings settings_;
    std::unique_ptr<WorkerPool> workers_;
    MHD_Daemon* daemon_ = nullptr;

    friend struct HttpCallbacks;
};

} // namespace XQTestDev::dashboard
