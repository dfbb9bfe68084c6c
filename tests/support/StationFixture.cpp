#include "support/StationFixture.h"

#include "frame/LibraryState.h"

#include <QDir>
#include <QFile>

namespace XQTestDev::testing {

RecordingMessages::RecordingMessages() {
    setMessageHandler([this](const MessageRequest& request) {
        messages.push_back(request);
        if (answers.empty())
            return static_cast<int>(ResultOK);
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
}

RecordingMessages::~RecordingMessages() {
    setMessageHandler({});
}

QStringList RecordingMessages::texts() const {
    QStringList out;
    for (const MessageRequest& request : messages)
        out << request.text;
    return out;
}

void StationTest::SetUp() {
    ASSERT_TRUE(tempDir.isValid());
    QDir(tempDir.path()).mkpath(QStringLiteral("ini"));
    QDir(tempDir.path()).mkpath(QStringLiteral("windir"));
    qputenv("WinDir", QFile::encodeName(tempDir.path() + QStringLiteral("/windir")));
    // What a run holds back when the results folder fails stays in the test.
    qputenv("XQ_HELD_RUNS_DIR", QFile::encodeName(tempDir.path() + QStringLiteral("/held")));
    // When several tests share one process (the binary run by hand), the
    // library has already started: point it at this test's folder too.
    library().resultsDirectory = resultsDir();
    library().iniDirectory.clear();
    library().applicationDirectory.clear();
    recorder = std::make_unique<RecordingMessages>();
}

void StationTest::TearDown() {
    recorder.reset();
}

QString StationTest::root() const {
    return tempDir.path() + QLatin1Char('/');
}
QString StationTest::iniDir() const {
    return root() + QStringLiteral("ini/");
}
QString StationTest::resultsDir() const {
    return root() + QStringLiteral("windir/");
}

void StationTest::writeFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

void StationTest::writeIni(const QString& name, const QByteArray& bytes) const {
    writeFile(iniDir() + name, bytes);
}

QByteArray StationTest::readFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace XQTestDev::testing
