#include "support/StationFixture.h"

#include "frame/DesktopOpen.h"
#include "frame/LibraryState.h"

#include <XQTestDev/XQUtility32.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString AteMissing =
    QStringLiteral("ATE.INI file is missing!, please check you INIPath property.");
const QString ProductsMissing =
    QStringLiteral("PRODUCTS.INI file is missing!, please check you INIPath property.");

class UtilityIniTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        writeIni(
            QStringLiteral("ATE.INI"),
            "[ATE "
            "Configuration]\r\nID=ATE-07\r\nTestProduct=PSU5V\r\n\r\n[History]\r\nVersion=A.3\r\n");
        writeIni(QStringLiteral("PRODUCTS.INI"),
                 "[PSU5V]\r\nVersion=P.9\r\n[PSU5V Spec]\r\n1=<EOT>\r\n");
        utility.setINIPath(iniDir());
        recorder->messages.clear();
    }

    QString resultsFile() const { return resultsDir() + QStringLiteral("XQResults.ini"); }

    XQUtility32 utility;
};

TEST_F(UtilityIniTest, ReadsBothConfigurationFiles) {
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QStringLiteral("ATE-07"));
    EXPECT_EQ(utility.ReadINI(false, QStringLiteral("psu5v"), QStringLiteral("version")),
              QStringLiteral("P.9"));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Missing")),
              QString());
    EXPECT_TRUE(recorder->messages.empty());
}

struct RouteCase {
    const char* name;
    bool ateFlag;
    const char* section;
    const char* key;
    bool toResults;
};

class ResultsRule : public UtilityIniTest, public ::testing::WithParamInterface<RouteCase> {};

// Whatever the flag says, these names reach the results file, and only with
// the exact case of the rule.
TEST_P(ResultsRule, ChoosesTheFile) {
    const RouteCase& c = GetParam();
    const QString section = QString::fromUtf8(c.section);
    const QString key = QString::fromUtf8(c.key);
    utility.WriteINI(c.ateFlag, section, key, QStringLiteral("written"));
    const QByteArray results = readFile(resultsFile());
    const QByteArray config = readFile(
        iniDir() + (c.ateFlag ? QStringLiteral("ATE.INI") : QStringLiteral("PRODUCTS.INI")));
    EXPECT_EQ(results.contains("=written"), c.toResults);
    EXPECT_EQ(config.contains("=written"), !c.toResults);
    EXPECT_EQ(utility.ReadINI(c.ateFlag, section, key), QStringLiteral("written"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResultsRule,
    ::testing::Values(
        RouteCase{"SectionTestResults", false, "Model1 Test Results", "1", true},
        RouteCase{"SectionLowerCase", false, "Model1 test results", "1", false},
        RouteCase{"KeyLastAccessDatabase", true, "ATE Configuration", "LastAccessDatabase", true},
        RouteCase{"KeyTestSoftwareVersion", true, "ATE Configuration", "TestSoftwareVersion", true},
        RouteCase{"KeySubstring", false, "X", "MyTestSoftwareVersion2", true},
        RouteCase{"KeyOtherCase", true, "X", "testsoftwareversion", false},
        RouteCase{"PlainAte", true, "ATE Configuration", "ID2", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(UtilityIniTest, ResultsFileIsNeverReportedMissing) {
    QFile::remove(iniDir() + QStringLiteral("ATE.INI"));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"),
                              QStringLiteral("TestSoftwareVersion")),
              QString());
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(UtilityIniTest, MissingConfigurationFileIsReportedOnEveryAccess) {
    QFile::remove(iniDir() + QStringLiteral("ATE.INI"));
    QFile::remove(iniDir() + QStringLiteral("PRODUCTS.INI"));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QString());
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"),
                     QStringLiteral("x"));
    EXPECT_EQ(utility.ReadINI(false, QStringLiteral("PSU5V"), QStringLiteral("Version")),
              QString());
    utility.OpenINI(false);
    EXPECT_EQ(recorder->texts(),
              (QStringList{AteMissing, AteMissing, ProductsMissing, ProductsMissing}));
    for (const MessageRequest& request : recorder->messages)
        EXPECT_EQ(request.icon, MessageIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(iniDir() + QStringLiteral("ATE.INI")));
}

TEST_F(UtilityIniTest, FileNamesMatchWithoutRegardToCase) {
    QFile::rename(iniDir() + QStringLiteral("ATE.INI"), iniDir() + QStringLiteral("ate.ini"));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QStringLiteral("ATE-07"));
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"),
                     QStringLiteral("ATE-08"));
    EXPECT_FALSE(QFileInfo::exists(iniDir() + QStringLiteral("ATE.INI")));
    EXPECT_TRUE(readFile(iniDir() + QStringLiteral("ate.ini")).contains("ID=ATE-08"));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(UtilityIniTest, LongValueReadsAsFirst1022Characters) {
    const QString longValue =
        QString(1500, QLatin1Char('x')).replace(1021, 2, QStringLiteral("YZ"));
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Long"), longValue);
    const QString read =
        utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Long"));
    EXPECT_EQ(read.size(), 1022);
    EXPECT_TRUE(read.endsWith(QStringLiteral("xY")));
}

// Only what a read can return is stored, so huge results cost no more than
// readable ones: the file grows by a line's worth per result, not by the
// result's size.
TEST_F(UtilityIniTest, HugeResultsAreStoredAsFarAsTheyCanBeRead) {
    const QString huge(100000, QLatin1Char('7'));
    for (int line = 1; line <= 100; ++line)
        utility.WriteINI(false, QStringLiteral("PSU5V Test Results"), QString::number(line),
                         huge + QStringLiteral("|Pass"));
    EXPECT_LT(QFileInfo(resultsFile()).size(), 100 * 1030 + 100);
    EXPECT_EQ(utility.ReadINI(false, QStringLiteral("PSU5V Test Results"), QStringLiteral("50")),
              huge.left(1022));
}

struct QuotedCase {
    const char* name;
    const char* given;
    const char* readBack;
};

class QuotedValues : public UtilityIniTest, public ::testing::WithParamInterface<QuotedCase> {};

TEST_P(QuotedValues, ReadBackAsTheyWereGiven) {
    const QuotedCase& c = GetParam();
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Serial"),
                     QString::fromUtf8(c.given));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Serial")),
              QString::fromUtf8(c.readBack));
}

INSTANTIATE_TEST_SUITE_P(
    Quotes, QuotedValues,
    ::testing::Values(QuotedCase{"double", "\"SN-1\"", "\"SN-1\""},
                      QuotedCase{"single", "'SN-1'", "'SN-1'"},
                      QuotedCase{"empty_pair", "\"\"", "\"\""},
                      QuotedCase{"two_quoted_words", "\"a\" or \"b\"", "\"a\" or \"b\""},
                      QuotedCase{"blanks_outside_go_as_for_any_value", "  \"SN-1\"  ", "\"SN-1\""},
                      QuotedCase{"lone_quote", "\"SN-1", "\"SN-1"},
                      QuotedCase{"no_quotes", "SN-1", "SN-1"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(UtilityIniTest, QuotesInAFileWrittenByOthersAreRemovedOnceAsBefore) {
    writeIni(QStringLiteral("ATE.INI"),
             "[ATE Configuration]\r\nID=\"ATE-07\"\r\nTestID='T1'\r\nRemark=\"\"x\"\"\r\n");
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QStringLiteral("ATE-07"));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("TestID")),
              QStringLiteral("T1"));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Remark")),
              QStringLiteral("\"x\""));
}

TEST_F(UtilityIniTest, WriteKeepsTheRestOfTheFile) {
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"),
                     QStringLiteral("ATE-09"));
    utility.WriteINI(true, QStringLiteral("Database"), QStringLiteral("ServerName"),
                     QStringLiteral("db1"));
    EXPECT_EQ(
        readFile(iniDir() + QStringLiteral("ATE.INI")),
        QByteArray("[ATE Configuration]\r\nID=ATE-09\r\nTestProduct=PSU5V\r\n\r\n[History]\r\n"
                   "Version=A.3\r\n\r\n[Database]\r\nServerName=db1\r\n"));
}

TEST_F(UtilityIniTest, ResultsFileIsCreatedWhenMissing) {
    ASSERT_FALSE(QFileInfo::exists(resultsFile()));
    utility.WriteINI(false, QStringLiteral("PSU5V Test Results"), QStringLiteral("1"),
                     QStringLiteral("5|Pass"));
    EXPECT_EQ(readFile(resultsFile()), QByteArray("[PSU5V Test Results]\r\n1=5|Pass\r\n"));
}

TEST_F(UtilityIniTest, VersionQueries) {
    EXPECT_EQ(utility.GetINIVersion(), QStringLiteral("A.3"));
    EXPECT_EQ(utility.GetINIVersion(QString()), QStringLiteral("A.3"));
    EXPECT_EQ(utility.GetINIVersion(QStringLiteral("PSU5V")), QStringLiteral("P.9"));
    EXPECT_EQ(utility.GetINIVersion(QStringLiteral("Unknown")), QString());
}

TEST_F(UtilityIniTest, DirectoryPropertiesAcceptOnlyExistingFolders) {
    const QString cwd = QDir::currentPath() + QLatin1Char('/');
    const QString folder = root() + QStringLiteral("ini");
    utility.setINIPath(folder);
    EXPECT_EQ(utility.INIPath(), folder + QLatin1Char('/'));
    utility.setAppPath(folder + QLatin1Char('/'));
    EXPECT_EQ(utility.AppPath(), folder + QLatin1Char('/'));
    EXPECT_TRUE(recorder->messages.empty());

    for (const QString& bad :
         {root() + QStringLiteral("missing"), root() + QStringLiteral("ini/ATE.INI"), QString()}) {
        recorder->messages.clear();
        utility.setINIPath(bad);
        EXPECT_EQ(utility.INIPath(), cwd);
        utility.setAppPath(bad);
        EXPECT_EQ(utility.AppPath(), cwd);
        EXPECT_EQ(recorder->texts(), (QStringList{QStringLiteral("Invalid INIPath property!"),
                                                  QStringLiteral("Invalid AppPath property!")}));
        EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
    }
}

TEST_F(UtilityIniTest, SettingsAreLibraryWide) {
    XQUtility32 other;
    EXPECT_EQ(other.INIPath(), iniDir());
    EXPECT_EQ(other.ReadINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID")),
              QStringLiteral("ATE-07"));
}

TEST_F(UtilityIniTest, EmptyNamesReadEmptyAndWriteNothing) {
    const QByteArray before = readFile(iniDir() + QStringLiteral("ATE.INI"));
    EXPECT_EQ(utility.ReadINI(true, QString(), QStringLiteral("ID")), QString());
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("ATE Configuration"), QString()), QString());
    utility.WriteINI(true, QString(), QStringLiteral("ID"), QStringLiteral("x"));
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QString(), QStringLiteral("x"));
    EXPECT_EQ(readFile(iniDir() + QStringLiteral("ATE.INI")), before);
}

// The station's files open in the desktop's own application, as the last
// report does; an editor is only the fallback of a desktop that cannot.
TEST_F(UtilityIniTest, OpenINIOpensTheFileWithTheDesktopsDefaultApplication) {
    QList<QUrl> opened;
    const DesktopOpener previous = replaceDesktopOpener([&](const QUrl& file) {
        opened << file;
        return true;
    });
    utility.OpenINI(true);
    utility.OpenINI(false);
    replaceDesktopOpener(previous);
    EXPECT_EQ(opened,
              (QList<QUrl>{QUrl::fromLocalFile(iniDir() + QStringLiteral("ATE.INI")),
                           QUrl::fromLocalFile(iniDir() + QStringLiteral("PRODUCTS.INI"))}));
}

TEST_F(UtilityIniTest, OpenINIFallsBackToTheEditorWithThePathAsOneArgument) {
    const DesktopOpener previous = replaceDesktopOpener([](const QUrl&) { return false; });
    // A stand-in editor that records its arguments, one per line.
    const QString editor = root() + QStringLiteral("editor.sh");
    const QString log = root() + QStringLiteral("editor.log");
    writeFile(editor, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\" >> '%1'; done\n")
                          .arg(log)
                          .toUtf8());
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(root()).mkdir(QStringLiteral("dir with space"));
    writeFile(root() + QStringLiteral("dir with space/PRODUCTS.INI"), "[P]\n");
    utility.setINIPath(root() + QStringLiteral("dir with space"));
    qputenv("VISUAL", QFile::encodeName(editor) + " --wait");
    utility.OpenINI(false);
    const QByteArray expected =
        "--wait\n" + QFile::encodeName(root() + QStringLiteral("dir with space/PRODUCTS.INI")) +
        "\n";
    // The editor runs on its own: wait until it has written both arguments.
    EXPECT_TRUE(QTest::qWaitFor([&] { return readFile(log).count('\n') >= 2; }, 2000));
    EXPECT_EQ(readFile(log), expected);
    qunsetenv("VISUAL");
    replaceDesktopOpener(previous);
}

} // namespace
