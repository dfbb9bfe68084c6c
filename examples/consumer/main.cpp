#include <XQTestDev/XQTestDev.h>

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    XQTestDev::XQUtility32 utility;
    const QString version = utility.GetDLLVersion();
    std::printf("consumer linked against XQTestDev %s\n", qPrintable(version));
    return version == QLatin1String("1.0.2") ? 0 : 1;
}
