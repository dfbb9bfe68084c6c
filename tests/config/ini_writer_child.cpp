// A second station program for the tests that need another process: it
// writes the library's files in a loop until it is killed, writes a run of
// keys, or holds a temporary or a lock and waits to be killed.
//
//   keys  <windir> <prefix> <count>   WriteINI of <count> distinct results keys
//   loop  <windir> <inidir>           results, ATE.INI, report text and PDF, forever
//   hold  <target>                    a temporary beside <target>, kept until killed
//   lock  <file>                      the write lock of <file>, kept until killed
//   stuck <file>                      lock and a temporary of <file>, as in a write, until killed
//   start <windir> <inidir>           library start-up and INIPath, then exit

#include "frame/DurableFile.h"
#include "frame/FileLock.h"
#include "output/ReportFile.h"

#include <XQTestDev/XQUtility32.h>

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

using namespace XQTestDev;

namespace {

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

[[noreturn]] void waitToBeKilled() {
    for (;;)
        ::pause();
}

int writeKeys(const QString& prefix, int count) {
    XQUtility32 utility;
    for (int n = 0; n < count; ++n)
        utility.WriteINI(false, QStringLiteral("PSU Test Results"), prefix + QString::number(n),
                         QStringLiteral("%1|Pass").arg(n));
    return 0;
}

[[noreturn]] void writeForever(const QString& iniDirectory) {
    XQUtility32 utility;
    utility.setINIPath(iniDirectory);
    const QString results = QString::fromLocal8Bit(qgetenv("WinDir")) + QLatin1Char('/');
    const QString filler(20000, QLatin1Char('x'));
    say(QStringLiteral("ready"));
    for (int n = 0;; ++n) {
        utility.WriteINI(false, QStringLiteral("PSU Test Results"),
                         QStringLiteral("Key%1").arg(n % 40), filler);
        utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("Counter"),
                         QString::number(n));
        ReportTextFile report(results + QStringLiteral("XQ_Report.txt"));
        report.open();
        for (int line = 0; line < 200; ++line)
            report.append(filler.left(80));
        report.close();
        const QString pdf = results + QStringLiteral("XQ_Report.pdf");
        OwnedTemporaryFile spool(pdf);
        if (spool.open()) {
            QFile drawn(spool.fileName());
            if (drawn.open(QIODevice::WriteOnly))
                drawn.write(QByteArray(50000, 'p'));
            drawn.close();
            writeFileDurably(pdf, QByteArray(50000, 'p'));
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "hold" && argc == 3) {
        OwnedTemporaryFile temporary(QString::fromLocal8Bit(argv[2]));
        if (!temporary.open())
            return 2;
        say(temporary.fileName());
        waitToBeKilled();
    }
    if (mode == "lock" && argc == 3) {
        const FileLock lock(QString::fromLocal8Bit(argv[2]));
        say(lock.isHeld() ? QStringLiteral("locked") : QStringLiteral("unlocked"));
        waitToBeKilled();
    }
    if (mode == "stuck" && argc == 3) {
        const FileLock lock(QString::fromLocal8Bit(argv[2]));
        OwnedTemporaryFile temporary(QString::fromLocal8Bit(argv[2]));
        if (!lock.isHeld() || !temporary.open())
            return 2;
        say(temporary.fileName());
        waitToBeKilled();
    }
    if (argc < 3)
        return 2;
    qputenv("WinDir", argv[2]);
    QApplication app(argc, argv);
    if (mode == "keys" && argc == 5)
        return writeKeys(QString::fromLocal8Bit(argv[3]), QByteArray(argv[4]).toInt());
    if (mode == "loop" && argc == 4)
        writeForever(QString::fromLocal8Bit(argv[3]));
    if (mode == "start" && argc == 4) {
        XQUtility32 utility;
        utility.setINIPath(QString::fromLocal8Bit(argv[3]));
        return 0;
    }
    return 2;
}
