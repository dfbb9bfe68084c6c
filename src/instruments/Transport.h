#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace XQTestDev {

struct InstrumentResource;

// What the last operation of a transport left, in the GPIB driver's terms, so
// one status check and one message serve every transport. Off the GPIB bus a
// failure carries the nearest status bits and error code and the system's own
// words for it.
struct TransportStatus {
    quint16 statusWord = 0;
    int errorCode = 0;
    long count = 0;
    QString reason;

    static TransportStatus done(long count);
    static TransportStatus failed(int errorCode, const QString& reason);
    static TransportStatus timedOut(const QString& reason);
};

// Error codes of the driver's table used off the bus.
namespace transport_error {
inline constexpr int SystemError = 0; // EDVR
inline constexpr int NoListener = 2;  // ENOL: refused, lost, closed, not found
inline constexpr int Aborted = 6;     // EABO: with the timeout bit
inline constexpr int FileError = 12;  // EFSO
inline constexpr int BufferFull = 20; // the reply did not fit
} // namespace transport_error

// How far one read goes: up to `terminator` (-1: none) or `maxCount` bytes.
struct ReadLimit {
    long maxCount = 65526;
    int terminator = '\n';
};

// One way of reaching an instrument. Every operation sets status(); none
// blocks longer than the timeout it was made with, none throws.
class Transport {
public:
    virtual ~Transport() = default;

    virtual bool open() = 0;
    // Opened once; a lost connection is made again by the next write.
    virtual bool isOpen() const = 0;
    virtual int handle() const = 0; // what the status line shows as found address
    virtual bool write(const QByteArray& bytes) = 0;
    virtual bool writeFile(const QString& path);
    virtual QByteArray read(const ReadLimit& limit) = 0;
    virtual bool clear() = 0;
    virtual void close() = 0;
    virtual TransportStatus status() const { return last_; }
    virtual QString resourceName() const = 0;

protected:
    TransportStatus last_;
};

// The transport the resource chooses, not yet open; `timeoutCode` is TimeOut.
std::shared_ptr<Transport> makeTransport(const InstrumentResource& resource, int timeoutCode);

} // namespace XQTestDev
