#include "instruments/GpibStatusText.h"

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct StatusCase {
    quint16 status;
    int error;
    const char* text;
};

class StatusTextTable : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusTextTable, TextsFollowTheTableOrder) {
    const StatusCase& c = GetParam();
    EXPECT_EQ(gpibStatusText(c.status, c.error), QString::fromLatin1(c.text))
        << std::hex << c.status << " error " << std::dec << c.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusTextTable,
    ::testing::Values(
        StatusCase{0xC100, 6, "Error detected; Timeout; I/O completed; I/O operation aborted; "},
        StatusCase{0x4000, 6, ""},                 // timeout without the error bit is no error
        StatusCase{0x7FFF, 0, ""},                 // nor is any other bit
        StatusCase{0x8000, 9, "Error detected; "}, // 9 adds nothing
        StatusCase{0x8000, 13, "Error detected; "}, StatusCase{0x8000, 17, "Error detected; "},
        StatusCase{0x8000, 21, "Error detected; "},
        StatusCase{0x8000, 0, "Error detected; DOS error; "},
        StatusCase{0x8000, 20, "Error detected; The return buffer is full; "},
        StatusCase{0x8000, 10,
                   "Error detected; I/O operation started before previous operation completed; "},
        StatusCase{0xFFFF, 2,
                   "Error detected; Timeout; EOI or EOS detected; SRQ detected by CIC; Device "
                   "requesting service; I/O completed; Local lockout state; Remote state; "
                   "Controller-in-Charge; Attention asserted; Talker active; Listener active; "
                   "Device trigger state; Device clear state; Write function detected no "
                   "listeners; "},
        StatusCase{0x8600, 7, "Error detected; Non-existent interface board; "}));

struct ErrorCodeCase {
    int error;
    const char* text;
};

class ErrorCodeTable : public ::testing::TestWithParam<ErrorCodeCase> {};

TEST_P(ErrorCodeTable, EachCodeHasItsText) {
    EXPECT_EQ(gpibStatusText(0x8000, GetParam().error),
              QStringLiteral("Error detected; ") + QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrorCodeTable,
    ::testing::Values(ErrorCodeCase{1, "Function requires GPIB board to be CIC; "},
                      ErrorCodeCase{3, "Interface board not addressed correctly; "},
                      ErrorCodeCase{4, "Invalid argument to function call; "},
                      ErrorCodeCase{5, "Function requires GPIB board to be SAC; "},
                      ErrorCodeCase{8, "DMA Error; "},
                      ErrorCodeCase{11, "No capability for intended operation; "},
                      ErrorCodeCase{12, "File system operation error; "},
                      ErrorCodeCase{14, "Command error during device call; "},
                      ErrorCodeCase{15, "Serial poll status byte lost; "},
                      ErrorCodeCase{16, "SRQ remains asserted; "}));

TEST(GpibErrorMessage, NamesTheDeviceAndEndsInAnExclamationMark) {
    EXPECT_EQ(gpibErrorMessage(QStringLiteral("DMM"), gpibStatusText(0xC100, 6)),
              QStringLiteral("GPIB Error: DMM Error detected; Timeout; I/O completed; I/O "
                             "operation aborted; !"));
}

} // namespace
