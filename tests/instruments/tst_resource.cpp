// DeviceName parsed once into a resource: the forms a station program may
// write, their one canonical text, and clear words for a malformed one.

#include "instruments/InstrumentResource.h"
#include "instruments/TransportTimeout.h"

#include <gtest/gtest.h>

using namespace XQTestDev;
using Kind = InstrumentResource::Kind;

namespace {

struct Form {
    QVariant deviceName;
    int board; // BoardNumber
    Kind kind;
    const char* canonical;
};

class ResourceFormTest : public ::testing::TestWithParam<Form> {};

TEST_P(ResourceFormTest, ParsesToItsCanonicalText) {
    const ParsedResource parsed = parseDeviceName(GetParam().deviceName, GetParam().board);
    ASSERT_TRUE(parsed.resource) << parsed.problem.toStdString();
    EXPECT_EQ(parsed.resource->kind, GetParam().kind);
    EXPECT_EQ(parsed.resource->canonical(), QString::fromLatin1(GetParam().canonical));
    // The canonical text is itself a resource that parses to the same text.
    if (parsed.resource->kind != Kind::GpibName && parsed.resource->kind != Kind::GpibAddress) {
        const ParsedResource again = parseDeviceName(parsed.resource->canonical(), 0);
        ASSERT_TRUE(again.resource);
        EXPECT_EQ(again.resource->canonical(), parsed.resource->canonical());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ResourceFormTest,
    ::testing::Values(
        Form{22, 0, Kind::GpibAddress, "GPIB0::22::INSTR"},
        Form{QStringLiteral("22"), 2, Kind::GpibAddress, "GPIB2::22::INSTR"},
        Form{QStringLiteral("DMM"), 0, Kind::GpibName, "DMM"},
        Form{QStringLiteral("gpib1::5::INSTR"), 0, Kind::GpibAddress, "GPIB1::5::INSTR"},
        Form{QStringLiteral("GPIB::5::3::INSTR"), 4, Kind::GpibAddress, "GPIB0::5::3::INSTR"},
        Form{QStringLiteral("TCPIP::10.0.0.5::5025::SOCKET"), 0, Kind::Socket,
             "TCPIP0::10.0.0.5::5025::SOCKET"},
        Form{QStringLiteral("tcpip3::Bench-DMM.local::5025::socket"), 0, Kind::Socket,
             "TCPIP3::bench-dmm.local::5025::SOCKET"},
        Form{QStringLiteral("TCPIP0::10.0.0.7::INSTR"), 0, Kind::Vxi11,
             "TCPIP0::10.0.0.7::inst0::INSTR"},
        Form{QStringLiteral("TCPIP::10.0.0.7::gpib0,5::INSTR"), 0, Kind::Vxi11,
             "TCPIP0::10.0.0.7::gpib0,5::INSTR"},
        Form{QStringLiteral("USB::0x0957::0x1796::MY5310::INSTR"), 0, Kind::Usbtmc,
             "USB0::0x0957::0x1796::MY5310::INSTR"},
        Form{QStringLiteral("usb1::2391::6038::MY5310::0::INSTR"), 0, Kind::Usbtmc,
             "USB1::0x0957::0x1796::MY5310::0::INSTR"}));

struct Malformed {
    const char* text;
    const char* problem;
};

class MalformedResourceTest : public ::testing::TestWithParam<Malformed> {};

TEST_P(MalformedResourceTest, IsRefusedWithWhatIsWrong) {
    const QString text = QString::fromLatin1(GetParam().text);
    const ParsedResource parsed = parseDeviceName(text, 0);
    ASSERT_FALSE(parsed.resource);
    EXPECT_EQ(parsed.problem, QString::fromLatin1(GetParam().problem));
    EXPECT_EQ(malformedResourceMessage(text, parsed.problem),
              QStringLiteral("Invalid instrument resource \"") + text + QStringLiteral("\": ") +
                  parsed.problem + QLatin1Char('!'));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedResourceTest,
    ::testing::Values(
        Malformed{"TCPIP::10.0.0.5::SOCKET",
                  "a socket resource is TCPIP[board]::host::port::SOCKET"},
        Malformed{"TCPIP::10.0.0.5::0::SOCKET", "the port must be 1 to 65535"},
        Malformed{"TCPIP::::INSTR", "the host is missing"},
        Malformed{"GPIB0::31::INSTR", "the GPIB address must be 0 to 30"},
        Malformed{"GPIB0::5::SOCKET", "it must end in ::INSTR"},
        Malformed{"GPIB12::5::INSTR", "the board number must be 0 to 9"},
        Malformed{"USB::0x10000::1::SN::INSTR",
                  "vendor and product ids must be 0 to 65535 (decimal or 0x hex)"},
        Malformed{"USB::1::2::INSTR",
                  "a USB resource is USB[board]::vendor::product::serial[::interface]::INSTR"},
        Malformed{"ASRL1::INSTR", "not a GPIB, TCPIP or USB resource"},
        Malformed{"DMM::A", "not a GPIB, TCPIP or USB resource"}));

TEST(TransportTimeout, TheCodesMeanTheSameDurationsOnEveryTransport) {
    const std::pair<int, int> codes[] = {{1, 1},      {5, 1},        {7, 10},    {9, 100},
                                         {10, 300},   {11, 1000},    {12, 3000}, {13, 10000},
                                         {14, 30000}, {17, 1000000}, {0, 10000}, {99, 10000}};
    for (const auto& [code, milliseconds] : codes)
        EXPECT_EQ(timeoutMilliseconds(code), milliseconds) << "code " << code;
}

} // namespace
