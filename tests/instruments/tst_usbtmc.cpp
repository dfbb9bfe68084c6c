// USBTMC without a device: the sysfs matching against a fake sysfs tree, and
// the read/write framing against a pseudo-terminal standing in for
// /dev/usbtmcN (it takes no usbtmc ioctl, so the timeout is polled).

#include "instruments/GpibApi.h"
#include "instruments/UsbtmcDevices.h"
#include "instruments/UsbtmcTransport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct FakeUsbDevice {
    const char* node;   // usbtmcN
    const char* vendor; // sysfs text: hex without 0x
    const char* product;
    const char* serial;
    const char* interface; // bInterfaceNumber, hex
};

// A sysfs tree as the kernel lays it out for usbtmc devices, and /dev links.
class UsbtmcTreeTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    UsbtmcPlaces places;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        places = {dir.filePath(QStringLiteral("sys")), dir.filePath(QStringLiteral("dev"))};
        QDir().mkpath(places.dev);
        QDir().mkpath(places.sysfs + QStringLiteral("/class/usbmisc"));
    }

    void attach(const FakeUsbDevice& device, int port, const QString& devLinkTarget = {}) {
        const QString usb =
            places.sysfs + QStringLiteral("/devices/pci0000:00/usb1/1-%1").arg(port);
        const QString interface =
            usb + QStringLiteral("/1-%1:1.%2").arg(port).arg(QLatin1String(device.interface));
        ASSERT_TRUE(QDir().mkpath(interface));
        write(usb + QStringLiteral("/idVendor"), device.vendor);
        write(usb + QStringLiteral("/idProduct"), device.product);
        write(usb + QStringLiteral("/serial"), device.serial);
        write(interface + QStringLiteral("/bInterfaceNumber"), device.interface);
        const QString classEntry =
            places.sysfs + QStringLiteral("/class/usbmisc/") + QLatin1String(device.node);
        ASSERT_TRUE(QDir().mkpath(classEntry));
        ASSERT_TRUE(QFile::link(interface, classEntry + QStringLiteral("/device")));
        if (!devLinkTarget.isEmpty()) {
            ASSERT_TRUE(QFile::link(devLinkTarget,
                                    places.dev + QLatin1Char('/') + QLatin1String(device.node)));
        }
    }

    static void write(const QString& path, const char* text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(text) + "\n");
    }

    static InstrumentResource usb(int vendor, int product, const char* serial,
                                  int interfaceNumber = -1) {
        InstrumentResource resource;
        resource.kind = InstrumentResource::Kind::Usbtmc;
        resource.vendorId = vendor;
        resource.productId = product;
        resource.serial = QString::fromLatin1(serial);
        resource.interfaceNumber = interfaceNumber;
        return resource;
    }
};

TEST_F(UsbtmcTreeTest, TheNodeIsFoundByIdsSerialAndInterface) {
    attach({"usbtmc0", "0957", "1796", "MY5310", "00"}, 2);
    attach({"usbtmc1", "0957", "1796", "MY9999", "01"}, 3);
    const struct {
        InstrumentResource resource;
        const char* node; // empty: none
    } cases[] = {
        {usb(0x0957, 0x1796, "MY5310"), "usbtmc0"},
        {usb(0x0957, 0x1796, "MY9999"), "usbtmc1"},
        {usb(0x0957, 0x1796, "MY9999", 1), "usbtmc1"},
        {usb(0x0957, 0x1796, "MY9999", 0), ""}, // wrong interface
        {usb(0x0957, 0x1797, "MY5310"), ""},    // wrong product
        {usb(0x0957, 0x1796, "my5310"), ""},    // serials are exact
    };
    for (const auto& [resource, node] : cases) {
        const UsbtmcMatch match = findUsbtmcNode(resource, places);
        if (*node) {
            EXPECT_EQ(match.node, places.dev + QLatin1Char('/') + QLatin1String(node));
        } else {
            EXPECT_TRUE(match.node.isEmpty()) << match.node.toStdString();
            EXPECT_EQ(match.reason,
                      QStringLiteral("no usbtmc device with these ids and serial number"));
        }
    }
}

TEST_F(UsbtmcTreeTest, NoDeviceAtAllSaysSo) {
    const UsbtmcMatch match = findUsbtmcNode(usb(1, 2, "X"), places);
    EXPECT_TRUE(match.node.isEmpty());
    EXPECT_EQ(match.reason,
              QStringLiteral("no usbtmc device is connected (is the usbtmc driver loaded?)"));
}

// The instrument's side of a pseudo-terminal in raw mode.
class PseudoDevice {
public:
    PseudoDevice() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master_);
        unlockpt(master_);
        slave_ = QString::fromLatin1(ptsname(master_));
        // Raw, so bytes pass as they are; an open slave keeps the settings.
        keep_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY);
        termios raw{};
        tcgetattr(keep_, &raw);
        cfmakeraw(&raw);
        tcsetattr(keep_, TCSANOW, &raw);
    }
    ~PseudoDevice() {
        ::close(keep_);
        ::close(master_);
    }
    QString path() const { return slave_; }
    void send(const QByteArray& bytes) {
        EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), bytes.size());
    }
    QByteArray received(int timeoutMs = 1000) {
        QByteArray bytes;
        pollfd wait{master_, POLLIN, 0};
        while (::poll(&wait, 1, bytes.isEmpty() ? timeoutMs : 50) > 0) {
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, n);
        }
        return bytes;
    }

private:
    int master_ = -1;
    int keep_ = -1;
    QString slave_;
};

class UsbtmcFramingTest : public UsbtmcTreeTest {
protected:
    PseudoDevice device;
    std::unique_ptr<UsbtmcTransport> transport;

    void SetUp() override {
        UsbtmcTreeTest::SetUp();
        attach({"usbtmc0", "0957", "1796", "MY5310", "00"}, 2, device.path());
        transport = std::make_unique<UsbtmcTransport>(usb(0x0957, 0x1796, "MY5310"), 300, places);
        ASSERT_TRUE(transport->open()) << transport->status().reason.toStdString();
    }
};

TEST_F(UsbtmcFramingTest, ACommandGoesOutWithItsLineFeedAndAReplyEndsAtItsOwn) {
    ASSERT_TRUE(transport->write("MEAS:VOLT:DC?"));
    EXPECT_EQ(device.received(), QByteArray("MEAS:VOLT:DC?\n"));
    device.send("+5.012E+00\r\n*extra");
    EXPECT_EQ(transport->read({65526, '\n'}), QByteArray("+5.012E+00\n"));
    EXPECT_EQ(transport->status().statusWord & gpib::ErrorBit, 0);
    EXPECT_EQ(transport->status().count, 11);
}

TEST_F(UsbtmcFramingTest, AReplyWithoutTerminatorTimesOutWithinTheTimeOut) {
    device.send("1.5");
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(transport->read({65526, '\n'}).isEmpty());
    EXPECT_LT(clock.elapsed(), 300 + 500);
    const TransportStatus status = transport->status();
    EXPECT_EQ(status.statusWord, gpib::ErrorBit | gpib::TimeoutBit | gpib::CompleteBit);
    EXPECT_EQ(status.errorCode, 6);
    EXPECT_EQ(status.reason, QStringLiteral("reply without terminator (3 bytes)"));
}

TEST_F(UsbtmcFramingTest, AReplyLongerThanTheBufferIsRefused) {
    device.send(QByteArray(40, '1') + "\n");
    EXPECT_TRUE(transport->read({16, '\n'}).isEmpty());
    EXPECT_EQ(transport->status().errorCode, 20);
    EXPECT_EQ(transport->status().reason, QStringLiteral("reply longer than 16 bytes"));
}

TEST_F(UsbtmcTreeTest, AMatchedNodeThatCannotBeOpenedSaysWhy) {
    attach({"usbtmc0", "0957", "1796", "MY5310", "00"}, 2); // no /dev node
    UsbtmcTransport transport(usb(0x0957, 0x1796, "MY5310"), 300, places);
    EXPECT_FALSE(transport.open());
    EXPECT_EQ(transport.status().errorCode, 2);
    EXPECT_EQ(transport.status().reason, QStringLiteral("cannot open ") + places.dev +
                                             QStringLiteral("/usbtmc0: no such file or directory"));
}

} // namespace
