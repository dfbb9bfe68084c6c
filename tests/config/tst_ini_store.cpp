#include "config/IniStore.h"
#include "frame/DurableFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace XQTestDev;

namespace {

class IniStoreTest : public ::testing::Test {
protected:
    void TearDown() override {
        setWriteFaultHookForTesting({});
        IniStore::instance().clear();
    }

    QString path(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }

    void put(const QString& file, const QByteArray& bytes) const {
        QFile f(path(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    QByteArray contents(const QString& file) const {
        QFile f(path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString value(const QString& file, const char* section, const char* key) {
        const IniDocument* doc = IniStore::instance().document(path(file));
        return doc ? doc->value(QString::fromUtf8(section), QString::fromUtf8(key))
                         .value_or(QString())
                   : QStringLiteral("<no file>");
    }

    QStringList leftovers() const {
        return QDir(dir.path())
            .entryList(QStringList{QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
    }

    QTemporaryDir dir;
};

TEST_F(IniStoreTest, SeesAnotherProgramsEditAtTheNextCall) {
    put(QStringLiteral("a.ini"), "[S]\nk=1\n");
    EXPECT_EQ(value(QStringLiteral("a.ini"), "S", "k"), QStringLiteral("1"));
    // Same size, same second: only the nanoseconds or the inode tell.
    put(QStringLiteral("a.ini"), "[S]\nk=2\n");
    EXPECT_EQ(value(QStringLiteral("a.ini"), "S", "k"), QStringLiteral("2"));
    QFile::remove(path(QStringLiteral("a.ini")));
    EXPECT_EQ(value(QStringLiteral("a.ini"), "S", "k"), QStringLiteral("<no file>"));
}

TEST_F(IniStoreTest, WriteReplacesFileAndKeepsPermissions) {
    put(QStringLiteral("a.ini"), "[S]\r\nk=1\r\n");
    QFile::setPermissions(path(QStringLiteral("a.ini")), QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(IniStore::instance().apply(path(QStringLiteral("a.ini")),
                                           {{"S", "k", "2"}, {"T", "j", "3"}}));
    EXPECT_EQ(contents(QStringLiteral("a.ini")), QByteArray("[S]\r\nk=2\r\n\r\n[T]\r\nj=3\r\n"));
    const QFile::Permissions after = QFile::permissions(path(QStringLiteral("a.ini")));
    EXPECT_TRUE(after.testFlags(QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_FALSE(after &
                 (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();
}

TEST_F(IniStoreTest, BatchIsOneDurableWrite) {
    int creates = 0;
    setWriteFaultHookForTesting([&](WriteStep step) -> std::optional<int> {
        creates += step == WriteStep::Create ? 1 : 0;
        return std::nullopt;
    });
    IniBatch batch(path(QStringLiteral("results.ini")));
    for (int line = 1; line <= 498; ++line)
        batch.set(QStringLiteral("P Test Results"), QString::number(line),
                  QStringLiteral("----|----"));
    ASSERT_TRUE(batch.commit());
    EXPECT_EQ(creates, 1);
    EXPECT_EQ(value(QStringLiteral("results.ini"), "P Test Results", "498"),
              QStringLiteral("----|----"));
}

class FailedWriteTest : public IniStoreTest, public ::testing::WithParamInterface<WriteStep> {};

TEST_P(FailedWriteTest, LeavesOldFileWholeAndReportsTheError) {
    const QByteArray before = "[S]\nk=1\n";
    put(QStringLiteral("a.ini"), before);
    ASSERT_EQ(value(QStringLiteral("a.ini"), "S", "k"), QStringLiteral("1"));
    const WriteStep failing = GetParam();
    setWriteFaultHookForTesting([failing](WriteStep step) -> std::optional<int> {
        return step == failing ? std::optional<int>(ENOSPC) : std::nullopt;
    });
    const WriteResult result =
        IniStore::instance().apply(path(QStringLiteral("a.ini")), {{"S", "k", "2"}});
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QStringLiteral("a.ini"))) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(QStringLiteral("space"))) << result.error.toStdString();
    EXPECT_EQ(contents(QStringLiteral("a.ini")), before);
    EXPECT_EQ(value(QStringLiteral("a.ini"), "S", "k"), QStringLiteral("1"));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(QLatin1Char(' ')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(EachStep, FailedWriteTest,
                         ::testing::Values(WriteStep::Create, WriteStep::Write, WriteStep::Sync,
                                           WriteStep::Rename));

TEST_F(IniStoreTest, MissingFolderAndFolderInPlaceOfFileFailCleanly) {
    EXPECT_FALSE(
        IniStore::instance().apply(path(QStringLiteral("no/such/a.ini")), {{"S", "k", "1"}}).ok);
    QDir(dir.path()).mkdir(QStringLiteral("folder.ini"));
    EXPECT_EQ(IniStore::instance().document(path(QStringLiteral("folder.ini"))), nullptr);
    EXPECT_FALSE(
        IniStore::instance().apply(path(QStringLiteral("folder.ini")), {{"S", "k", "1"}}).ok);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("folder.ini"))).isDir());
}

TEST_F(IniStoreTest, EmptyNamesWriteNothing) {
    put(QStringLiteral("a.ini"), "[S]\nk=1\n");
    EXPECT_FALSE(IniStore::instance().apply(path(QStringLiteral("a.ini")), {{"", "k", "2"}}).ok);
    EXPECT_EQ(contents(QStringLiteral("a.ini")), QByteArray("[S]\nk=1\n"));
}

TEST_F(IniStoreTest, ReadsTenMegabyteFile) {
    QByteArray big = "[Big]\n";
    for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
        big += "key" + QByteArray::number(i) + "=" + QByteArray(100, 'v') + "\n";
    big += "last=here\n";
    put(QStringLiteral("big.ini"), big);
    EXPECT_EQ(value(QStringLiteral("big.ini"), "Big", "last"), QStringLiteral("here"));
    EXPECT_EQ(value(QStringLiteral("big.ini"), "Big", "key7").size(), 100);
}

} // namespace
