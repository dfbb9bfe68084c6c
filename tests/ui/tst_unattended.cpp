// Windows nobody can see answer by themselves; the prompt seam answers the
// InfoBox; an interruption ends a wait and answers "no".

#include "frame/MessageBox.h"
#include "support/ModalDriver.h"

#include <XQTestDev/Unattended.h>
#include <XQTestDev/XQUtility32.h>

#include <QApplication>
#include <QVariant>

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

// The test process drives its windows; these cases are a station without.
class Unattended : public ::testing::Test {
protected:
    void SetUp() override { setHeadlessWindowsDriven(false); }
    void TearDown() override {
        setHeadlessWindowsDriven(true);
        setPromptHandler({});
        resumeWaits();
    }
};

struct MessageCase {
    MessageButtons buttons;
    int answer;
    const char* said;
};

TEST_F(Unattended, AMessageBoxAnswersItsDefaultButtonAndSaysSo) {
    ASSERT_TRUE(runsUnattended());
    const MessageCase cases[] = {
        {MessageButtons::OK, ResultOK, "-> OK"},
        {MessageButtons::YesNo, ResultYes, "-> Yes"},
        {MessageButtons::RetryCancel, ResultRetry, "-> Retry"},
    };
    for (const MessageCase& each : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(showMessage(QStringLiteral("Missing group name!"), MessageIcon::Exclamation,
                              each.buttons),
                  each.answer);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Message box [Exclamation] (no display): Missing group name!"),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find(each.said), std::string::npos) << said;
    }
}

TEST_F(Unattended, AnInfoBoxAnswersCancelOrItsOnlyButton) {
    XQUtility32 utility;
    const std::pair<vbMyMsgBoxStyle, int> cases[] = {
        {vbOKCancel, ResultCancel},
        {vbOKOnly, ResultOK},
        {vbYesNo, ResultNo},
        {vbYesNoCancel, ResultCancel},
        {vbAbortRetryIgnore, ResultAbort},
    };
    for (const auto& [buttons, answer] : cases) {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(utility.InfoBox(QStringLiteral("Seat the unit"), buttons), answer);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("InfoBox (no display): Seat the unit"), std::string::npos) << said;
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(Unattended, ThePromptHandlerAnswersWithButtonAndText) {
    PromptRequest seen;
    setPromptHandler([&seen](const PromptRequest& request) {
        seen = request;
        return PromptAnswer{ResultOK, QStringLiteral("SN-0042")};
    });
    XQUtility32 utility;
    QVariant typed = QStringLiteral("SN-");
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Scan the serial number"), vbOKCancel, true, &typed,
                              false, Center, false, QStringLiteral("*")),
              ResultOK);
    EXPECT_EQ(typed.toString(), QStringLiteral("SN-0042"));
    EXPECT_EQ(seen.text, QStringLiteral("Scan the serial number"));
    EXPECT_EQ(seen.buttons, vbOKCancel);
    EXPECT_TRUE(seen.asksInput);
    EXPECT_EQ(seen.input, QStringLiteral("SN-"));
    EXPECT_EQ(seen.passwordChar, QStringLiteral("*"));
}

TEST_F(Unattended, AnInterruptionClosesAShownDialogWithItsNoAnswer) {
    setHeadlessWindowsDriven(true); // the InfoBox shows and waits
    XQUtility32 utility;
    XQTestDev::testing::whenModalShows([](QWidget*) { interruptWaits(); });
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Waiting for the operator"), vbYesNo), ResultNo);
    ::testing::internal::GetCapturedStderr();
    // Until the waits resume, the next one does not even show.
    EXPECT_EQ(showMessage(QStringLiteral("Missing group name!"), MessageIcon::Question,
                          MessageButtons::YesNo),
              ResultNo);
    resumeWaits();
    EXPECT_FALSE(waitsInterrupted());
}

} // namespace
