#pragma once

#include <XQTestDev/Messages.h>

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace XQTestDev::testing {

// Keeps every message the library shows and answers it from a queue
// (OK when the queue is empty).
class RecordingMessages {
public:
    RecordingMessages();
    ~RecordingMessages();
    RecordingMessages(const RecordingMessages&) = delete;
    RecordingMessages& operator=(const RecordingMessages&) = delete;

    std::vector<MessageRequest> messages;
    std::deque<int> answers;

    QStringList texts() const;
};

// A station folder of its own for each test: "<tmp>/ini" as the INI directory
// and "<tmp>/windir" as WinDir (the results directory).
class StationTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString iniDir() const;     // ends in "/"
    QString resultsDir() const; // ends in "/"
    QString root() const;

    // Writes a file byte for byte (the INI text as given, no line-end changes).
    void writeFile(const QString& path, const QByteArray& bytes) const;
    void writeIni(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& path) const;

    QTemporaryDir tempDir;
    std::unique_ptr<RecordingMessages> recorder;
};

} // namespace XQTestDev::testing
