// ATE.INI as Windows editors save it: with and without a byte-order mark, in
// UTF-8, UTF-16 and Windows-1252, with CR LF, LF or CR line ends, and with
// the slips of hand-typed files. Each is a real file read and written through
// the station's own calls.

#include "support/StationFixture.h"

#include <XQTestDev/XQUtility32.h>

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

enum class Saved { Utf8, Utf8Mark, Windows1252, Utf16LE, Utf16BE };

struct SavedForm {
    const char* name;
    Saved form;
    QByteArray mark;
};

const SavedForm Forms[] = {
    {"Utf8", Saved::Utf8, {}},
    {"Utf8WithMark", Saved::Utf8Mark, "\xEF\xBB\xBF"},
    {"Windows1252", Saved::Windows1252, {}},
    {"Utf16LE", Saved::Utf16LE, "\xFF\xFE"},
    {"Utf16BE", Saved::Utf16BE, "\xFE\xFF"},
};

struct LineEnd {
    const char* name;
    const char* bytes;
};

const LineEnd LineEnds[] = {{"CRLF", "\r\n"}, {"LF", "\n"}, {"CR", "\r"}};

QByteArray encoded(const QString& text, const SavedForm& saved) {
    switch (saved.form) {
    case Saved::Utf8:
    case Saved::Utf8Mark:
        return saved.mark + text.toUtf8();
    case Saved::Windows1252:
        return text.toLatin1(); // the text below keeps to Latin-1's part of the code page
    case Saved::Utf16LE:
        return saved.mark + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    case Saved::Utf16BE:
        return saved.mark + QStringEncoder(QStringEncoder::Utf16BE).encode(text);
    }
    return {};
}

QString decoded(const QByteArray& file, const SavedForm& saved) {
    const QByteArray body = file.mid(saved.mark.size());
    switch (saved.form) {
    case Saved::Utf8:
    case Saved::Utf8Mark:
        return QString::fromUtf8(body);
    case Saved::Windows1252:
        return QString::fromLatin1(body);
    case Saved::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE).decode(body);
    case Saved::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE).decode(body);
    }
    return {};
}

// What a hand-edited ATE.INI holds, line by line. The section "[Database"
// lacks its "]", "[History]whoops]" has one too many, and the remark is in
// quotes with blanks inside and out.
QStringList stationLines() {
    return {QStringLiteral("[ATE Configuration]"),
            QStringLiteral("ID=ATE-07"),
            QStringLiteral("TestProduct=PSU5V,PSU12V"),
            QStringLiteral("Unit=\u00B0C"),
            QStringLiteral("[Database"),
            QStringLiteral("ServerName=db01"),
            QStringLiteral("[History]whoops]"),
            QStringLiteral("Version=A.3"),
            QStringLiteral("Remark=  \"   TestValue   \"  ")};
}

class SavedByWindowsEditor : public StationTest,
                             public ::testing::WithParamInterface<std::tuple<SavedForm, LineEnd>> {
protected:
    void SetUp() override {
        StationTest::SetUp();
        writeIni(QStringLiteral("PRODUCTS.INI"), "[PSU5V]\r\nVersion=P.9\r\n");
        utility.setINIPath(iniDir());
    }

    const SavedForm& saved() const { return std::get<0>(GetParam()); }
    QString lineEnd() const { return QString::fromLatin1(std::get<1>(GetParam()).bytes); }
    QString joined(const QStringList& lines) const { return lines.join(lineEnd()) + lineEnd(); }
    QString read(const char* section, const char* key) {
        return utility.ReadINI(true, QString::fromUtf8(section), QString::fromUtf8(key));
    }

    XQUtility32 utility;
};

TEST_P(SavedByWindowsEditor, ReadsEveryKeyAndWritesBackInTheFilesOwnForm) {
    writeIni(QStringLiteral("ATE.INI"), encoded(joined(stationLines()), saved()));

    EXPECT_EQ(read("ATE Configuration", "ID"), QStringLiteral("ATE-07"));
    EXPECT_EQ(read("ATE Configuration", "TestProduct"), QStringLiteral("PSU5V,PSU12V"));
    EXPECT_EQ(read("ATE Configuration", "Unit"), QStringLiteral("\u00B0C"));
    EXPECT_EQ(read("Database", "ServerName"), QStringLiteral("db01"));
    EXPECT_EQ(read("History", "Version"), QStringLiteral("A.3"));
    EXPECT_EQ(read("History", "Remark"), QStringLiteral("TestValue"));

    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Unit"),
                     QStringLiteral("\u00B0F"));
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Temperature"),
                     QStringLiteral("25 \u00B0C"));
    utility.WriteINI(true, QStringLiteral("Database"), QStringLiteral("DatabaseName"),
                     QStringLiteral("ate"));

    QStringList expected = stationLines();
    expected[3] = QStringLiteral("Unit=\u00B0F");
    expected.insert(4, QStringLiteral("Temperature=25 \u00B0C"));
    expected.insert(7, QStringLiteral("DatabaseName=ate"));
    const QByteArray file = readFile(iniDir() + QStringLiteral("ATE.INI"));
    EXPECT_TRUE(file.startsWith(saved().mark));
    EXPECT_EQ(file, encoded(joined(expected), saved()));
    EXPECT_EQ(decoded(file, saved()), joined(expected));
    EXPECT_EQ(read("ATE Configuration", "Temperature"), QStringLiteral("25 \u00B0C"));
    EXPECT_EQ(read("Database", "DatabaseName"), QStringLiteral("ate"));
    EXPECT_TRUE(recorder->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(MarksAndLineEnds, SavedByWindowsEditor,
                         ::testing::Combine(::testing::ValuesIn(Forms),
                                            ::testing::ValuesIn(LineEnds)),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).name) +
                                    std::get<1>(row.param).name;
                         });

class NotAnIniFile : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        for (int i = 0; i < 2048; ++i)
            picture.append(static_cast<char>((i * 131) & 0xFF));
        picture.prepend("\x89PNG\r\n\x1a\n");
        writeIni(QStringLiteral("ATE.INI"), picture);
        writeIni(QStringLiteral("PRODUCTS.INI"), "[PSU5V]\r\nVersion=P.9\r\n");
        utility.setINIPath(iniDir());
        recorder->messages.clear();
    }

    QByteArray picture;
    XQUtility32 utility;
};

TEST_F(NotAnIniFile, IsNamedOncePerOperationReadsEmptyAndIsNeverWritten) {
    const QString named = iniDir() + QStringLiteral("ATE.INI");
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QString());
    EXPECT_EQ(
        utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("TestProduct")),
        QString());
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"),
                     QStringLiteral("ATE-08"));
    ASSERT_EQ(recorder->texts(),
              QStringList{named + " is not a text file and cannot be used as an INI file!"});
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
    EXPECT_EQ(readFile(named), picture);

    // Back in the event loop, the next operation names it again.
    QCoreApplication::processEvents();
    EXPECT_EQ(utility.GetINIVersion(), QString());
    EXPECT_EQ(recorder->messages.size(), 2u);
    EXPECT_EQ(utility.GetINIVersion(QStringLiteral("PSU5V")), QStringLiteral("P.9"));
    EXPECT_EQ(recorder->messages.size(), 2u);
}

} // namespace
