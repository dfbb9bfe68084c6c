// The questions that configuration code puts to the operator go through the
// prompt seam: a scripted prompt answers them here, the InfoBox on a station.

#include "config/IniUpdate.h"
#include "frame/LibraryState.h"
#include "frame/OperatorPrompt.h"
#include "support/ModalDriver.h"
#include "support/StationFixture.h"

#include <XQTestDev/XQUtility32.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class ScriptedQuestions : public OperatorPrompt {
public:
    QStringList asked;
    bool answer = false;

    bool askPassword(const QString& message, QString&) override {
        asked << message;
        return false;
    }
    bool confirm(const QString& question) override {
        asked << question;
        return answer;
    }
};

class UpdateQuestion : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        utility.setINIPath(iniDir());
        ASSERT_TRUE(QDir().mkpath(newDir()));
        writeAged(iniDir() + QStringLiteral("ATE.INI"), "[History]\r\nVersion=1\r\n", 10);
        writeAged(iniDir() + QStringLiteral("PRODUCTS.INI"), "[P]\r\n", 10);
        writeAged(newDir() + QStringLiteral("ATE.INI"), "[History]\r\nVersion=2\r\n", 1);
    }
    void TearDown() override {
        setOperatorPrompt(nullptr);
        StationTest::TearDown();
    }

    QString newDir() const { return root() + QStringLiteral("update/"); }

    void writeAged(const QString& path, const QByteArray& bytes, int ageDays) const {
        writeFile(path, bytes);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-ageDays),
                                     QFileDevice::FileModificationTime));
    }

    QByteArray currentAte() const { return readFile(iniDir() + QStringLiteral("ATE.INI")); }

    XQUtility32 utility;
    ScriptedQuestions prompt;
};

const QString AteQuestion = QStringLiteral(
    "\n\n\n\nNew ATE.INI has been found.\nWould you like to overwrite the existing one?.");

struct AnswerCase {
    const char* name;
    bool answer;
    QByteArray ateAfter;
};

class UpdateAnswers : public UpdateQuestion, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(UpdateAnswers, DecideWhetherTheNewFileReplacesTheOld) {
    prompt.answer = GetParam().answer;
    setOperatorPrompt(&prompt);
    updateStationFiles(newDir());
    EXPECT_EQ(prompt.asked, QStringList{AteQuestion});
    EXPECT_EQ(currentAte(), GetParam().ateAfter);
    EXPECT_TRUE(recorder->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateAnswers,
                         ::testing::Values(AnswerCase{"OK", true, "[History]\r\nVersion=2\r\n"},
                                           AnswerCase{"Cancel", false,
                                                      "[History]\r\nVersion=1\r\n"}),
                         [](const auto& row) { return std::string(row.param.name); });

// Without a scripted prompt the question is the real InfoBox.
TEST_F(UpdateQuestion, IsAskedInTheInfoBoxOnAStation) {
    QString shown;
    whenModalShows([&](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), QStringLiteral("frmGeneralInfoBox"));
        if (auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage")))
            shown = message->toPlainText();
        clickButton(dialog, QStringLiteral("cmdButtonSet_2")); // OK
    });
    updateStationFiles(newDir());
    EXPECT_EQ(shown, AteQuestion);
    EXPECT_EQ(currentAte(), "[History]\r\nVersion=2\r\n");
}

} // namespace
