#pragma once

#include "ui/SharedWindowsFixture.h"

#include <QStringList>

#include <ostream>

// Readable failures: texts print as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << "{\n";
    for (const QString& text : list)
        *out << "  \"" << text.toStdString() << "\"\n";
    *out << "}";
}

namespace XQTestDev::testing {

// Instrument tests run against a real driver library loaded through
// XQ_GPIB_LIBRARY, the way a station loads one. The cabinet keeps its place
// in the test's own settings.
class GpibTest : public SharedWindowsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The status message window's line, or "<none>" when it was never made.
    QString statusLine(int line) const;
};

// The tests' own recording driver: scripted answers, every call recorded.
class RecordingDriverTest : public GpibTest {
protected:
    void SetUp() override;

    // Script lines for the driver (see RecordingDriver.cpp), set before the
    // calls they answer.
    void script(const QByteArray& lines);
    // Every driver call so far, one line each: `ibwrt(5, "*IDN?", 5)`.
    QStringList calls() const;
    void forgetCalls();
};

// The project's simulated bus, described by `bus` (the sample format).
class SimulatedBusTest : public GpibTest {
protected:
    void describeBus(const QByteArray& bus);
    QStringList transcript() const;
};

} // namespace XQTestDev::testing
