#include <XQTestDev/Unattended.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test runs on Qt's offscreen platform with a screen of known size, so
// window sizes and placement are exact whether or not a display is present.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" XQ_TEST_SCREEN_CONFIG);
    // Runs held back by a failing results folder never reach the user's own
    // state folder from a test.
    QTemporaryDir held;
    if (qEnvironmentVariableIsEmpty("XQ_HELD_RUNS_DIR"))
        qputenv("XQ_HELD_RUNS_DIR", QFile::encodeName(held.path()));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("XQTestDevTests"));
    // Window tests press the real buttons of every window offscreen.
    XQTestDev::setHeadlessWindowsDriven(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
