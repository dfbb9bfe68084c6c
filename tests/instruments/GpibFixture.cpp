#include "GpibFixture.h"

#include "frame/LibraryState.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <QFile>

namespace XQTestDev::testing {

namespace {

QStringList linesOf(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    lines.removeAll(QString());
    return lines;
}

} // namespace

void GpibTest::SetUp() {
    SharedWindowsTest::SetUp();
    library().statusPosition = 0;
    library().statusTop = QVariant();
    library().statusLeft = QVariant();
}

void GpibTest::TearDown() {
    SharedWindowsTest::TearDown();
}

QString GpibTest::statusLine(int line) const {
    StatusWindow* window = existingStatusWindow();
    return window ? window->line(line) : QStringLiteral("<none>");
}

void RecordingDriverTest::SetUp() {
    GpibTest::SetUp();
    qputenv("XQ_GPIB_LIBRARY", XQ_RECORDING_DRIVER);
    qputenv("XQ_GPIB_RECORD", QFile::encodeName(root() + QStringLiteral("calls.txt")));
    qputenv("XQ_GPIB_SCRIPT", QFile::encodeName(root() + QStringLiteral("script.txt")));
}

void RecordingDriverTest::script(const QByteArray& lines) {
    QFile file(root() + QStringLiteral("script.txt"));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(lines);
}

QStringList RecordingDriverTest::calls() const {
    return linesOf(readFile(root() + QStringLiteral("calls.txt")));
}

void RecordingDriverTest::forgetCalls() {
    QFile::remove(root() + QStringLiteral("calls.txt"));
}

void SimulatedBusTest::describeBus(const QByteArray& bus) {
    writeFile(root() + QStringLiteral("bus.txt"), "[bus]\ntranscript = transcript.txt\n\n" + bus);
    qputenv("XQ_GPIB_LIBRARY", XQ_SIM_DRIVER);
    qputenv("XQ_GPIB_SIM_BUS", QFile::encodeName(root() + QStringLiteral("bus.txt")));
}

QStringList SimulatedBusTest::transcript() const {
    return linesOf(readFile(root() + QStringLiteral("transcript.txt")));
}

} // namespace XQTestDev::testing
