#include "support/ModalDriver.h"

#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "frame/ScreenUnits.h"

#include <XQTestDev/XQTestDev.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

TEST(Library, EnumerationValuesArePartOfTheContract) {
    EXPECT_EQ(RightDown, 9);
    EXPECT_EQ(Center, 1);
    EXPECT_EQ(vbRetryCancel, 5);
    EXPECT_EQ(MenuRight, 3);
    EXPECT_EQ(msSQLServer, 1);
    EXPECT_EQ(GPIB9, 9);
    EXPECT_EQ(T100s, 15);
    EXPECT_EQ(T1000s, 17);
    EXPECT_EQ(TNONE, 0);
}

TEST(Library, VersionIs102) {
    EXPECT_EQ(XQUtility32().GetDLLVersion(), QStringLiteral("1.0.2"));
}

TEST(Library, StartUpMeasuresScreenAndFixesResultsDirectory) {
    QTemporaryDir windir;
    qputenv("WinDir", QFile::encodeName(windir.path()));
    if (libraryStarted())
        GTEST_SKIP() << "needs a process of its own (ctest runs each test alone)";
    EXPECT_EQ(library().screenWidth, 0); // nothing runs before the first object
    XQUtility32 first;
    EXPECT_EQ(twipsPerPixelX(), 15.0);
    EXPECT_EQ(library().screenWidth, 12000);
    EXPECT_EQ(library().screenHeight, 9000);
    EXPECT_EQ(library().resultsDirectory, windir.path() + QLatin1Char('/'));
    ASSERT_NE(library().sharedUtility, nullptr);
    XQUtility32* shared = library().sharedUtility;

    // Start-up runs once: a later WinDir is not taken and the shared object stays.
    qputenv("WinDir", "/elsewhere");
    XQUtility32 second;
    EXPECT_EQ(library().resultsDirectory, windir.path() + QLatin1Char('/'));
    EXPECT_EQ(library().sharedUtility, shared);
    EXPECT_EQ(&sharedUtility(), shared);
}

TEST(Library, WithoutWinDirResultsGoToThePerUserFolder) {
    qunsetenv("WinDir");
    const QString dir = defaultResultsDirectory();
    EXPECT_TRUE(dir.endsWith(QStringLiteral("/XQTestDev/")));
    EXPECT_TRUE(QDir(dir).exists());
}

TEST(Messages, HandlerSeesEveryMessageAndAnswers) {
    std::vector<MessageRequest> seen;
    setMessageHandler([&](const MessageRequest& request) {
        seen.push_back(request);
        return static_cast<int>(ResultNo);
    });
    EXPECT_EQ(showMessage(QStringLiteral("Really?"), MessageIcon::Question, MessageButtons::YesNo),
              ResultNo);
    setMessageHandler({});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("Really?"));
    EXPECT_EQ(seen[0].icon, MessageIcon::Question);
    EXPECT_EQ(seen[0].buttons, MessageButtons::YesNo);
}

struct DefaultBoxCase {
    MessageButtons buttons;
    const char* press;
    int result;
};

class DefaultMessageBox : public ::testing::TestWithParam<DefaultBoxCase> {};

// Without a handler a real modal QMessageBox shows, titled with the
// application's name, and the pressed button's code comes back.
TEST_P(DefaultMessageBox, ShowsRealModalBox) {
    const DefaultBoxCase& c = GetParam();
    QString title;
    QString text;
    whenModalShows([&](QWidget* modal) {
        title = modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            text = box->text();
        clickButton(modal, QString::fromLatin1(c.press));
    });
    EXPECT_EQ(showMessage(QStringLiteral("Invalid INIPath property!"), MessageIcon::Exclamation,
                          c.buttons),
              c.result);
    EXPECT_EQ(title, QApplication::applicationName());
    EXPECT_EQ(text, QStringLiteral("Invalid INIPath property!"));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DefaultMessageBox,
    ::testing::Values(DefaultBoxCase{MessageButtons::OK, "cmdOK", ResultOK},
                      DefaultBoxCase{MessageButtons::OKCancel, "cmdCancel", ResultCancel},
                      DefaultBoxCase{MessageButtons::YesNo, "cmdYes", ResultYes},
                      DefaultBoxCase{MessageButtons::YesNo, "cmdNo", ResultNo},
                      DefaultBoxCase{MessageButtons::RetryCancel, "cmdRetry", ResultRetry}));

} // namespace
