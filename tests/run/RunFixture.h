#pragma once

#include "frame/LibraryState.h"
#include "run/RunSession.h"
#include "support/StationFixture.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace XQTestDev::testing {

// A station whose PRODUCTS.INI is written by the test and whose current product
// is chosen through the run data, as the user entry will choose it.
class RunTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        library().iniDirectory = iniDir();
        resetRunSession();
        runModel().run.product = QStringLiteral("PSU");
    }

    // PRODUCTS.INI with "[PSU Spec]" holding `lines` as keys 1, 2, ... in order,
    // and the given extra keys of that section before them.
    void writeSpec(std::initializer_list<const char*> lines, const QByteArray& extraKeys = {}) {
        QByteArray text = "[PSU]\r\nVersion=1\r\n\r\n[PSU Spec]\r\n" + extraKeys;
        int number = 1;
        for (const char* line : lines)
            text += QByteArray::number(number++) + '=' + line + "\r\n";
        writeIni(QStringLiteral("PRODUCTS.INI"), text);
    }

    // `count` lines of groups of `perGroup` lines, "G0".."Gn" with parameters
    // "P0".."Pk", limits 1 to 2, then the end tag.
    void writeGroups(int groups, int perGroup, const QByteArray& extraKeys = {}) {
        QByteArray text = "[PSU Spec]\r\n" + extraKeys;
        int number = 1;
        for (int g = 0; g < groups; ++g) {
            for (int p = 0; p < perGroup; ++p)
                text += QByteArray::number(number++) + "=F,1,2,1.5,V,G" + QByteArray::number(g) +
                        ",P" + QByteArray::number(p) + ",\r\n";
        }
        text += QByteArray::number(number) + "=<EOT>\r\n";
        writeIni(QStringLiteral("PRODUCTS.INI"), text);
    }

    QString resultsFile() const { return resultsDir() + QStringLiteral("XQResults.ini"); }

    // A key of "[PSU Test Results]" as the file holds it now.
    QString result(const QString& key) const {
        const QByteArray bytes = readFile(resultsFile());
        const QByteArray wanted = key.toUtf8() + '=';
        bool inSection = false;
        for (const QByteArray& rawLine : bytes.split('\n')) {
            const QByteArray line = rawLine.trimmed();
            if (line.startsWith('['))
                inSection = line == "[PSU Test Results]";
            else if (inSection && line.startsWith(wanted))
                return QString::fromUtf8(line.mid(wanted.size()));
        }
        return QStringLiteral("<absent>");
    }
    QString result(int line) const { return result(QString::number(line)); }
};

} // namespace XQTestDev::testing
