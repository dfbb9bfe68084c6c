#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <optional>

namespace XQTestDev::testing {

// HTTP spoken by hand over a plain socket on loopback, so that a test sends
// exactly the bytes it means (an HTTP/1.0 line, an endless header) and sees
// exactly when the server closes.
class RawHttp {
public:
    explicit RawHttp(quint16 port, int receiveTimeoutMs = 10000) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        timeval timeout{receiveTimeoutMs / 1000, (receiveTimeoutMs % 1000) * 1000};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawHttp() { ::close(fd_); }
    RawHttp(const RawHttp&) = delete;
    RawHttp& operator=(const RawHttp&) = delete;

    bool connected() const { return connected_; }
    // False once the server closed its side.
    bool send(const QByteArray& bytes) {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n =
                ::send(fd_, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            sent += n;
        }
        return true;
    }

    struct Answer {
        int status = 0;
        QByteArray head; // status line and headers
        QByteArray body;
        QByteArray header(const QByteArray& name) const {
            for (const QByteArray& line : head.split('\n')) {
                const qsizetype colon = line.indexOf(':');
                if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
                    return line.mid(colon + 1).trimmed();
            }
            return {};
        }
    };

    // The next answer; its body is read by Content-Length, none for HEAD.
    std::optional<Answer> read(bool head = false) {
        qsizetype end = -1;
        while ((end = buffer_.indexOf("\r\n\r\n")) < 0) {
            if (!fill())
                return std::nullopt;
        }
        Answer answer;
        answer.head = buffer_.left(end);
        buffer_.remove(0, end + 4);
        answer.status = answer.head.mid(9, 3).toInt();
        const qsizetype length = head ? 0 : answer.header("Content-Length").toLongLong();
        while (buffer_.size() < length) {
            if (!fill())
                return std::nullopt;
        }
        answer.body = buffer_.left(length);
        buffer_.remove(0, length);
        return answer;
    }

    // True when the server closes the connection with nothing more sent
    // (within the receive time-out).
    bool closedByServer() {
        char byte;
        const ssize_t n = ::recv(fd_, &byte, 1, 0);
        if (n > 0)
            buffer_.append(byte);
        return n == 0 || (n < 0 && errno == ECONNRESET);
    }
    QByteArray leftover() const { return buffer_; }

private:
    bool fill() {
        char chunk[65536];
        const ssize_t n = ::recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        buffer_.append(chunk, n);
        return true;
    }

    int fd_ = -1;
    bool connected_ = false;
    QByteArray buffer_;
};

} // namespace XQTestDev::testing
