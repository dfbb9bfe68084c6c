#include "HttpFront.h"

#include "DashboardRender.h"

#include <QUrlQuery>

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>

#include <atomic>
#include <cstring>
#include <vector>

namespace XQTestDev::dashboard {

namespace {

constexpr const char* TokenCookie = "xq_dashboard_token";
// The login form's body: a token and its field name, no more.
constexpr qsizetype LoginBodyLimit = 4096;

// The headers of every answer. Nothing of another site may run on these
// pages, and nothing is loaded from outside: the factory LAN has no internet.
void addCommonHeaders(MHD_Response* response, const QByteArray& contentType) {
    MHD_add_response_header(response, "Content-Type", contentType.constData());
    MHD_add_response_header(response, "Content-Security-Policy",
                            "default-src 'self'; img-src 'self' data:; style-src 'self'");
    MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
    MHD_add_response_header(response, "Cache-Control", "no-store");
}

MHD_Result send(MHD_Connection* connection, const Reply& reply,
                const std::vector<std::pair<QByteArray, QByteArray>>& extra = {}) {
    MHD_Response* response = MHD_create_response_from_buffer(
        static_cast<size_t>(reply.body.size()), const_cast<char*>(reply.body.constData()),
        MHD_RESPMEM_MUST_COPY);
    if (!response)
        return MHD_NO;
    addCommonHeaders(response, reply.contentType);
    for (const auto& [name, value] : extra)
        MHD_add_response_header(response, name.constData(), value.constData());
    const MHD_Result queued =
        MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
    MHD_destroy_response(response);
    return queued;
}

Reply textReply(int status, const QString& title, const QString& message) {
    return {status, "text/html; charset=utf-8",
            htmlPage(title, QStringLiteral("<h1>%1</h1><p>%2</p>")
                                .arg(htmlEscaped(title), htmlEscaped(message)))};
}

QByteArray header(MHD_Connection* connection, const char* name) {
    return QByteArray(MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name));
}

// Compares without stopping at the first difference, so that the time taken
// tells nothing of the token.
bool sameToken(const QByteArray& given, const QByteArray& token) {
    if (given.size() != token.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < token.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ token[i]);
    return difference == 0;
}

QByteArray cookieValue(const QByteArray& cookies, const QByteArray& name) {
    for (const QByteArray& part : cookies.split(';')) {
        const QByteArray trimmed = part.trimmed();
        if (trimmed.startsWith(name + '='))
            return trimmed.mid(name.size() + 1);
    }
    return {};
}

Reply loginPage(int status, const QString& message) {
    QString body = QStringLiteral("<h1>Sign in</h1>");
    if (!message.isEmpty())
        body += QStringLiteral("<p class=\"error\">%1</p>").arg(htmlEscaped(message));
    body += QStringLiteral(
        "<form class=\"login\" action=\"/login\" method=\"post\">"
        "<label>Access token <input type=\"password\" name=\"token\" autocomplete=\"off\" "
        "autofocus></label> <button>Sign in</button></form>"
        "<p>The token is in the file given to xq-dashboard as --token-file.</p>");
    return {status, "text/html; charset=utf-8", htmlPage(QStringLiteral("Sign in"), body)};
}

} // namespace

// One request on its way through the server.
struct HttpFront::Exchange {
    QByteArray uri; // as sent, still percent-encoded
    bool started = false;
    bool tooLarge = false;
    QByteArray body; // the login form only
    std::atomic<bool> answered = false;
    Reply reply;
};

struct HttpCallbacks {
    static void* onUri(void*, const char* uri, MHD_Connection*) {
        auto* exchange = new HttpFront::Exchange;
        exchange->uri = uri;
        return exchange;
    }

    static void onCompleted(void*, MHD_Connection*, void** context, MHD_RequestTerminationCode) {
        delete static_cast<HttpFront::Exchange*>(*context);
        *context = nullptr;
    }

    // Addresses are kept as sent: the dashboard decodes each segment on its
    // own, so that an encoded "/" stays inside a serial number.
    static size_t keepEscaped(void*, MHD_Connection*, char* text) { return std::strlen(text); }

    static MHD_Result onRequest(void* front, MHD_Connection* connection, const char* url,
                                const char* method, const char*, const char* upload,
                                size_t* uploadSize, void** context) {
        auto* exchange = static_cast<HttpFront::Exchange*>(*context);
        if (!exchange) {
            exchange = new HttpFront::Exchange;
            exchange->uri = url;
            *context = exchange;
        }
        if (*uploadSize > 0) {
            if (exchange->body.size() + static_cast<qsizetype>(*uploadSize) > LoginBodyLimit)
                exchange->tooLarge = true;
            else
                exchange->body.append(upload, static_cast<qsizetype>(*uploadSize));
            *uploadSize = 0;
            return MHD_YES;
        }
        return static_cast<MHD_Result>(
            static_cast<HttpFront*>(front)->answer(connection, *exchange, method));
    }
};

HttpFront::HttpFront(Dashboard& dashboard, ServerSettings settings)
    : dashboard_(dashboard), settings_(std::move(settings)) {}

HttpFront::~HttpFront() {
    // The workers finish their pages and resume their connections first.
    workers_.reset();
    if (daemon_)
        MHD_stop_daemon(daemon_);
}

int HttpFront::answer(MHD_Connection* connection, Exchange& exchange, const char* method) {
    const QByteArray verb(method);
    const bool isLogin = exchange.uri == "/login" || exchange.uri.startsWith("/login?");
    if (!exchange.started) {
        // The first call has the headers only. Answering now would leave the
        // rest of the request unread and the connection closed after it, so
        // only a refusal is given here.
        exchange.started = true;
        const QByteArray length = header(connection, "Content-Length");
        const bool hasBody = (!length.isEmpty() && length != "0") ||
                             !header(connection, "Transfer-Encoding").isEmpty();
        if (hasBody && !(isLogin && verb == "POST" && !settings_.accessToken.isEmpty()))
            return send(connection,
                        textReply(413, QStringLiteral("Request too large"),
                                  QStringLiteral("This server only reads: a request has no "
                                                 "body.")));
        return MHD_YES;
    }
    if (exchange.answered)
        return send(connection, exchange.reply);
    if (exchange.tooLarge)
        return send(connection, textReply(413, QStringLiteral("Request too large"),
                                          QStringLiteral("The login form is too long.")));

    const QUrl url = QUrl::fromEncoded(exchange.uri, QUrl::StrictMode);
    if (!url.isValid() || !exchange.uri.startsWith('/'))
        return send(connection, textReply(400, QStringLiteral("Bad request"),
                                          QStringLiteral("The address cannot be read.")));

    if (!settings_.accessToken.isEmpty()) {
        if (isLogin && verb == "POST") {
            const QByteArray given =
                QUrlQuery(QString::fromUtf8(exchange.body))
                    .queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded)
                    .toUtf8();
            if (!sameToken(given, settings_.accessToken))
                return send(connection,
                            loginPage(401, QStringLiteral("This is not the access token.")));
            QByteArray cookie = QByteArray(TokenCookie) + '=' + settings_.accessToken +
                                "; Path=/; HttpOnly; SameSite=Strict";
            if (!settings_.tlsCertificate.isEmpty())
                cookie += "; Secure";
            return send(connection, {303, "text/plain; charset=utf-8", "Signed in\n"},
                        {{"Set-Cookie", cookie}, {"Location", "/"}});
        }
        if (isLogin && (verb == "GET" || verb == "HEAD"))
            return send(connection, loginPage(200, {}));
        const QByteArray authorization = header(connection, "Authorization");
        const bool signedIn = (authorization.startsWith("Bearer ") &&
                               sameToken(authorization.mid(7).trimmed(), settings_.accessToken)) ||
                              sameToken(cookieValue(header(connection, "Cookie"), TokenCookie),
                                        settings_.accessToken);
        const bool isStatic = exchange.uri.startsWith("/static/");
        if (!signedIn && !isStatic) {
            if (exchange.uri.startsWith("/api/"))
                return send(connection,
                            {401, "application/json",
                             R"({"error":"An access token is needed: send it as )"
                             R"(Authorization: Bearer <token>."})"},
                            {{"WWW-Authenticate", "Bearer"}});
            return send(
                connection,
                loginPage(401, QStringLiteral("This dashboard asks for its access token.")));
        }
    }

    if (std::optional<Reply> reply = dashboard_.answerWithoutDatabase(verb, url))
        return send(connection, *reply);
    // The page is made on a worker; the connection waits suspended and is
    // resumed to send it.
    MHD_suspend_connection(connection);
    Exchange* waiting = &exchange;
    workers_->post([this, waiting, connection, verb, url](DatabaseLink& link) {
        waiting->reply = dashboard_.handle(verb, url, link);
        waiting->answered = true;
        MHD_resume_connection(connection);
    });
    return MHD_YES;
}

bool HttpFront::start(QString* error) {
    workers_ = std::make_unique<WorkerPool>(dashboard_.target(), settings_.workers);
    sockaddr_in v4{};
    sockaddr_in6 v6{};
    const sockaddr* address = nullptr;
    unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_AUTO | MHD_ALLOW_SUSPEND_RESUME;
    if (settings_.address.protocol() == QAbstractSocket::IPv6Protocol) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(settings_.port);
        const Q_IPV6ADDR bytes = settings_.address.toIPv6Address();
        std::memcpy(&v6.sin6_addr, &bytes, sizeof bytes);
        address = reinterpret_cast<const sockaddr*>(&v6);
        flags |= MHD_USE_IPv6;
    } else {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(settings_.port);
        v4.sin_addr.s_addr = htonl(settings_.address.toIPv4Address());
        address = reinterpret_cast<const sockaddr*>(&v4);
    }
    std::vector<MHD_OptionItem> options = {
        {MHD_OPTION_SOCK_ADDR, 0, const_cast<sockaddr*>(address)},
        {MHD_OPTION_THREAD_POOL_SIZE, settings_.ioThreads, nullptr},
        {MHD_OPTION_CONNECTION_MEMORY_LIMIT, settings_.connectionMemory, nullptr},
        {MHD_OPTION_CONNECTION_TIMEOUT, settings_.idleTimeoutSeconds, nullptr},
        {MHD_OPTION_URI_LOG_CALLBACK, reinterpret_cast<intptr_t>(&HttpCallbacks::onUri), nullptr},
        {MHD_OPTION_NOTIFY_COMPLETED, reinterpret_cast<intptr_t>(&HttpCallbacks::onCompleted),
         nullptr},
        {MHD_OPTION_UNESCAPE_CALLBACK, reinterpret_cast<intptr_t>(&HttpCallbacks::keepEscaped),
         nullptr},
    };
    if (!settings_.tlsCertificate.isEmpty()) {
        flags |= MHD_USE_TLS;
        options.push_back({MHD_OPTION_HTTPS_MEM_CERT, 0,
                           const_cast<char*>(settings_.tlsCertificate.constData())});
        options.push_back(
            {MHD_OPTION_HTTPS_MEM_KEY, 0, const_cast<char*>(settings_.tlsKey.constData())});
    }
    options.push_back({MHD_OPTION_END, 0, nullptr});
    daemon_ = MHD_start_daemon(flags, settings_.port, nullptr, nullptr, &HttpCallbacks::onRequest,
                               this, MHD_OPTION_ARRAY, options.data(), MHD_OPTION_END);
    if (!daemon_) {
        if (error)
            *error = QStringLiteral("cannot listen on %1:%2 (in use, or not an address of this "
                                    "machine%3)")
                         .arg(settings_.address.toString())
                         .arg(settings_.port)
                         .arg(settings_.tlsCertificate.isEmpty()
                                  ? QString()
                                  : QStringLiteral(", or the certificate and key do not match"));
        return false;
    }
    return true;
}

quint16 HttpFront::port() const {
    if (!daemon_)
        return 0;
    const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
    return info ? info->port : 0;
}

} // namespace XQTestDev::dashboard
