// ReadINI and WriteINI beside their floors: what the operating system and a
// hash table cost at the least for the same job.

#include "BenchMain.h"

#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace XQTestDev;

namespace {

struct Station {
    QTemporaryDir dir;
    QString products;
    QString results;
    QByteArray resultsBytes;

    Station() {
        qputenv("WinDir", QFile::encodeName(dir.path()));
        products = dir.path() + QStringLiteral("/PRODUCTS.INI");
        results = dir.path() + QStringLiteral("/XQResults.ini");
        QByteArray spec =
            "[PSU]\r\nModel=A,B\r\nVersion=1\r\n\r\n[PSU Spec]\r\nScreenGroupOrder=\r\n";
        for (int line = 1; line <= 497; ++line)
            spec += QByteArray::number(line) + "=F" + QByteArray::number(line) +
                    ",4.75,5.25,5.00,V,Group" + QByteArray::number(line / 10) + ",Parameter " +
                    QByteArray::number(line) + ",\r\n";
        spec += "498=<EOT>,,,,,,,\r\n";
        write(products, spec);
        resultsBytes = "[PSU Test Results]\r\nOverallPassFail=----\r\n";
        for (int line = 1; line <= 498; ++line)
            resultsBytes += QByteArray::number(line) + "=----|----\r\n";
        write(results, resultsBytes);
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
};

Station& station() {
    static Station instance;
    return instance;
}

XQUtility32& utility() {
    static XQUtility32* object = [] {
        // The station's folder first: the library takes its results folder
        // from WinDir when the first object starts it.
        const QString folder = station().dir.path();
        auto* created = new XQUtility32;
        created->setINIPath(folder);
        return created;
    }();
    return *object;
}

void BM_ReadINI(benchmark::State& state) {
    XQUtility32& util = utility();
    const QString section = QStringLiteral("PSU Spec");
    const QString key = QStringLiteral("495");
    for (auto _ : state)
        benchmark::DoNotOptimize(util.ReadINI(false, section, key));
}
BENCHMARK(BM_ReadINI);

// One stat of the file and one hash lookup: the least a cache validated by the
// file's metadata can do.
void BM_ReadINI_Floor(benchmark::State& state) {
    QHash<QString, QString> table;
    for (int line = 1; line <= 498; ++line)
        table.insert(QString::number(line), QStringLiteral("F,4.75,5.25,5.00,V,G,P,"));
    const QByteArray path = QFile::encodeName(station().products);
    const QString key = QStringLiteral("495");
    for (auto _ : state) {
        struct stat info {};
        benchmark::DoNotOptimize(::stat(path.constData(), &info));
        benchmark::DoNotOptimize(table.value(key));
    }
}
BENCHMARK(BM_ReadINI_Floor);

void BM_WriteINI(benchmark::State& state) {
    XQUtility32& util = utility();
    const QString section = QStringLiteral("PSU Test Results");
    const QString key = QStringLiteral("250");
    int n = 0;
    for (auto _ : state)
        util.WriteINI(false, section, key,
                      (n++ & 1) ? QStringLiteral("5.01|Pass") : QStringLiteral("4.99|Pass"));
}
BENCHMARK(BM_WriteINI)->Unit(benchmark::kMicrosecond);

// What makes a rename last: the folder that holds the new name, flushed.
void flushFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ::fsync(fd);
    ::close(fd);
}

// The same bytes to a temporary file, flushed, renamed over the file, and the
// folder flushed so that the new name survives a power loss (about half the
// cost of the file's own flush on the build machine's disk).
void BM_WriteINI_Floor(benchmark::State& state) {
    const QByteArray target =
        QFile::encodeName(station().dir.path() + QStringLiteral("/floor.ini"));
    const QByteArray temporary = target + ".tmp";
    const QByteArray folder = QFile::encodeName(station().dir.path());
    const QByteArray& bytes = station().resultsBytes;
    for (auto _ : state) {
        const int fd =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())));
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.constData(), target.constData());
        flushFolder(folder);
    }
}
BENCHMARK(BM_WriteINI_Floor)->Unit(benchmark::kMicrosecond);

// The floor taking the same lock as a write does: an advisory lock on the
// lock file beside the file, held from before the write until after the
// rename, so that a second process cannot lose this update or its own.
void BM_WriteINI_LockedFloor(benchmark::State& state) {
    const QByteArray target =
        QFile::encodeName(station().dir.path() + QStringLiteral("/floor.ini"));
    const QByteArray temporary = target + ".tmp";
    const QByteArray lockFile =
        QFile::encodeName(station().dir.path() + QStringLiteral("/.floor.ini.lock"));
    const QByteArray folder = QFile::encodeName(station().dir.path());
    const QByteArray& bytes = station().resultsBytes;
    for (auto _ : state) {
        const int lock = ::open(lockFile.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        ::flock(lock, LOCK_EX);
        const int fd =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())));
        ::fsync(fd);
        ::close(fd);
        ::rename(temporary.constData(), target.constData());
        flushFolder(folder);
        ::close(lock);
    }
}
BENCHMARK(BM_WriteINI_LockedFloor)->Unit(benchmark::kMicrosecond);

const bool ratiosDeclared = [] {
    expectRatio("BM_ReadINI", "BM_ReadINI_Floor", 3.0);
    expectRatio("BM_WriteINI", "BM_WriteINI_Floor", 1.5);
    expectRatio("BM_WriteINI", "BM_WriteINI_LockedFloor", 1.1);
    expectRatio("BM_WriteINI_LockedFloor", "BM_WriteINI_Floor", 1.1);
    return true;
}();

} // namespace
