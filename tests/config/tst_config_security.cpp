// The checksum of a configuration file, the admin password and the integrity
// check that guards a run. The decisions are driven through a scripted prompt;
// a few tests answer the real InfoBox dialog.

#include "config/IntegrityCheck.h"
#include "config/XQSecurity32.h"
#include "frame/LibraryState.h"
#include "frame/OperatorPrompt.h"
#include "support/ModalDriver.h"
#include "support/StationFixture.h"

#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QLineEdit>
#include <QStringEncoder>
#include <QTest>
#include <QVariant>

#include <gtest/gtest.h>

#include <deque>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString ChecksumMessageOfAte = QStringLiteral("Warning! ATE.INI has changed.");
const QString ChecksumMessageOfProducts = QStringLiteral("Warning! Products.INI has changed.");
const QString AskForPassword = QStringLiteral("Please enter admin password for acceptation.");
const QString WrongPasswordNote = QStringLiteral("\n\n\n\nInvalid password! please re-entry ...");
const QString ShortPasswordMessage = QStringLiteral(
    "Invalid or blank admin password property, minimum characters 5 (alphanumeric)!.");

QString checksumOf(const QByteArray& bytes) {
    return XQSecurity32().checksum(bytes);
}

// ---------------------------------------------------------------- checksum

TEST(Checksum, StandardCheckValue) {
    XQSecurity32 security;
    EXPECT_EQ(XQSecurity32::hexText(security.crc32("123456789")), QStringLiteral("CBF43926"));
    // The table is filled again for every checksum: a second run agrees.
    EXPECT_EQ(security.crc32("123456789"), 0xCBF43926u);
}

TEST(Checksum, HexadecimalHasNoLeadingZeros) {
    EXPECT_EQ(XQSecurity32::hexText(0), QStringLiteral("0"));
    EXPECT_EQ(XQSecurity32::hexText(0x00ABCDEFu), QStringLiteral("ABCDEF"));
    EXPECT_EQ(XQSecurity32::hexText(0xFFFFFFFFu), QStringLiteral("FFFFFFFF"));
    EXPECT_EQ(checksumOf({}), QStringLiteral("0"));
    EXPECT_EQ(checksumOf("\r\n   \r\n"), QStringLiteral("0"));
}

struct ChecksumCase {
    const char* name;
    QByteArray file;
};

class ChecksumOfTestA1 : public ::testing::TestWithParam<ChecksumCase> {};

// Every variant holds the same meaningful text "[TEST]A=1".
TEST_P(ChecksumOfTestA1, IgnoresLayoutAndItsOwnKey) {
    const QByteArray& file = GetParam().file;
    EXPECT_EQ(XQSecurity32::checksumText(file), QStringLiteral("[TEST]A=1"));
    EXPECT_EQ(checksumOf(file), QStringLiteral("E5D107B9"));
}

INSTANTIATE_TEST_SUITE_P(
    Variants, ChecksumOfTestA1,
    ::testing::Values(
        ChecksumCase{"TwoLines", "[Test]\r\n a=1 \r\n"},
        ChecksumCase{"NoFinalLineEnd", "[Test]\r\n a=1 "},
        ChecksumCase{"UnixLineEnds", "[Test]\n a=1 \n"},
        ChecksumCase{"OldMacLineEnds", "[Test]\r a=1 \r"},
        ChecksumCase{"BlankLines", "\r\n\r\n[Test]\r\n\r\n    \r\na=1\r\n\r\n"},
        ChecksumCase{"BlanksAtBothEnds", "   [Test]   \r\n      a=1\r\n"},
        ChecksumCase{"ChecksumKeyLowerCase", "[Test]\r\nxqchecksum=1234ABCD\r\na=1\r\n"},
        ChecksumCase{"ChecksumKeyInsideALine", "[Test]\r\na=1\r\n; old XqCheckSum was 1\r\n"},
        ChecksumCase{"ChecksumKeyWithItsOwnValue", "[Test]\r\na=1\r\nXQCheckSum=E5D107B9\r\n"}),
    [](const ::testing::TestParamInfo<ChecksumCase>& param) {
        return std::string(param.param.name);
    });

TEST(Checksum, ChangesWithContentOrder) {
    EXPECT_NE(checksumOf("[Test]\r\na=1\r\n"), checksumOf("[Test]\r\na=2\r\n"));
    EXPECT_NE(checksumOf("[Test]\r\na=1\r\nb=2\r\n"), checksumOf("[Test]\r\nb=2\r\na=1\r\n"));
    // A tab is not a blank: it stays part of the line.
    EXPECT_NE(checksumOf("[Test]\r\na=1\t\r\n"), checksumOf("[Test]\r\na=1\r\n"));
}

TEST(Checksum, SameTextInWindows1252Utf8AndUtf16GivesSameChecksum) {
    const QString text = QStringLiteral("[Test]\r\nName=K\u00E4se Stra\u00DFe\r\nUnit=\u00B0C\r\n");
    const QByteArray latin = text.toLatin1();
    const QByteArray utf8 = text.toUtf8();
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
    EXPECT_EQ(XQSecurity32::checksumText(latin),
              QStringLiteral("[TEST]NAME=K\u00C4SE STRA\u00DFEUNIT=\u00B0C"));
    // One byte per character of the code page, as every other station hashes it.
    XQSecurity32 security;
    const QString expected = XQSecurity32::hexText(security.crc32("[TEST]NAME=K\xC4SE STRA\xDF"
                                                                  "EUNIT=\xB0"
                                                                  "C"));
    EXPECT_EQ(checksumOf(latin), expected);
    EXPECT_EQ(checksumOf(utf8), expected);
    EXPECT_EQ(checksumOf("\xEF\xBB\xBF" + utf8), expected);
    EXPECT_EQ(checksumOf(utf16), expected);
}

struct HashedCharacter {
    const char* name;
    const char* utf8;    // the character in the file
    QByteArray hashedAs; // the bytes it enters the CRC as, upper-cased
};

class ChecksumOfOneCharacter : public ::testing::TestWithParam<HashedCharacter> {};

TEST_P(ChecksumOfOneCharacter, IsUpperCasedOnlyWhereTheByteCountStays) {
    const HashedCharacter& c = GetParam();
    XQSecurity32 security;
    EXPECT_EQ(checksumOf(QByteArray("[A]\r\nk=") + c.utf8 + "\r\n"),
              XQSecurity32::hexText(security.crc32("[A]K=" + c.hashedAs)));
}

INSTANTIATE_TEST_SUITE_P(
    Windows1252, ChecksumOfOneCharacter,
    ::testing::Values(HashedCharacter{"ascii", "a", "A"},
                      HashedCharacter{"e_acute", "\xC3\xA9", "\xC9"},
                      HashedCharacter{"y_diaeresis_to_9F", "\xC3\xBF", "\x9F"},
                      HashedCharacter{"s_caron_to_8A", "\xC5\xA1", "\x8A"},
                      HashedCharacter{"sharp_s_stays", "\xC3\x9F", "\xDF"},
                      HashedCharacter{"micro_stays_in_the_code_page", "\xC2\xB5", "\xB5"},
                      HashedCharacter{"euro", "\xE2\x82\xAC", "\x80"},
                      HashedCharacter{"dotless_i_keeps_two_bytes", "\xC4\xB1", "\xC4\xB1"},
                      HashedCharacter{"greek_alpha_upper_in_utf8", "\xCE\xB1", "\xCE\x91"},
                      HashedCharacter{"check_mark_in_utf8", "\xE2\x9C\x93", "\xE2\x9C\x93"}),
    [](const auto& row) { return std::string(row.param.name); });

// ------------------------------------------------------------ admin password

class AdminPassword : public StationTest {};

TEST_F(AdminPassword, FewerThanFiveCharactersAreRefusedAndTheOldOneStays) {
    XQUtility32 utility;
    utility.setAdminPassword(QStringLiteral("S3cret"));
    for (const QString& tooShort : {QString(), QStringLiteral("abcd"), QStringLiteral("1234")}) {
        recorder->messages.clear();
        utility.setAdminPassword(tooShort);
        ASSERT_EQ(recorder->messages.size(), 1u);
        EXPECT_EQ(recorder->messages[0].text, ShortPasswordMessage);
        EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(utility.AdminPassword(), QStringLiteral("S3cret"));
    }
}

TEST_F(AdminPassword, AnyFiveCharactersAreAcceptedAndSharedByEveryObject) {
    XQUtility32 first;
    XQUtility32 second;
    for (const QString& password :
         {QStringLiteral("abcde"), QStringLiteral("12345"), QStringLiteral("!? -#")}) {
        first.setAdminPassword(password);
        EXPECT_EQ(second.AdminPassword(), password);
    }
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(AdminPassword, EmptyUntilSet) {
    XQUtility32 utility;
    EXPECT_TRUE(utility.AdminPassword().isEmpty());
}

// ---------------------------------------------------------- integrity check

// One answer to a password prompt: what to type and whether to press OK.
struct PromptAnswer {
    QString type;
    bool ok = true;
};

// What a prompt showed when it opened.
struct SeenPrompt {
    QString message;
    QString initialInput;
    bool masked = false;
};

QString messageOf(QWidget* dialog) {
    QObject* message = dialog->findChild<QObject*>(QStringLiteral("txtMessage"));
    if (!message)
        return {};
    const QVariant plain = message->property("plainText");
    return plain.isValid() ? plain.toString() : message->property("text").toString();
}

// Answers password prompts from a script, as the operator would, and records
// what each one showed.
class ScriptedPrompt : public OperatorPrompt {
public:
    ScriptedPrompt(std::deque<PromptAnswer>& script, std::vector<SeenPrompt>& seen)
        : script_(script), seen_(seen) {}

    bool askPassword(const QString& message, QString& typed) override {
        seen_.push_back({message, typed, true});
        if (script_.empty()) {
            ADD_FAILURE() << "an unexpected prompt: " << message.toStdString();
            return false;
        }
        const PromptAnswer answer = script_.front();
        script_.pop_front();
        if (!answer.type.isNull())
            typed = answer.type;
        return answer.ok;
    }
    bool confirm(const QString& question) override {
        ADD_FAILURE() << "an unexpected question: " << question.toStdString();
        return false;
    }

private:
    std::deque<PromptAnswer>& script_;
    std::vector<SeenPrompt>& seen_;
};

class IntegrityCheck : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        utility.setINIPath(iniDir());
        setOperatorPrompt(&scripted);
    }
    void TearDown() override {
        setOperatorPrompt(nullptr);
        StationTest::TearDown();
    }

    // The prompts of this test are answered in the real InfoBox.
    void answerInTheInfoBox() {
        setOperatorPrompt(nullptr);
        throughInfoBox = true;
    }

    // Answers the coming prompts in order, recording what each one showed.
    void answerPrompts(std::deque<PromptAnswer> answers) {
        script = std::move(answers);
        if (throughInfoBox)
            armNextPrompt();
    }

    bool check() { return checkConfigurationIntegrity(operatorPrompt()); }

    void armNextPrompt() {
        if (script.empty())
            return;
        whenModalShows([this](QWidget* dialog) {
            auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
            ASSERT_NE(input, nullptr);
            seen.push_back(
                {messageOf(dialog), input->text(), input->echoMode() == QLineEdit::Password});
            const PromptAnswer answer = script.front();
            script.pop_front();
            input->setFocus();
            input->selectAll();
            if (!answer.type.isNull())
                QTest::keyClicks(input, answer.type);
            armNextPrompt();
            // vbOKCancel: OK is button 2, Cancel button 0.
            clickButton(dialog, answer.ok ? QStringLiteral("cmdButtonSet_2")
                                          : QStringLiteral("cmdButtonSet_0"));
        });
    }

    QString storedChecksum(const QString& file) {
        return utility.ReadINI(file == QLatin1String("ATE.INI"), QStringLiteral("History"),
                               QStringLiteral("XQCheckSum"));
    }

    XQUtility32 utility;
    std::deque<PromptAnswer> script;
    std::vector<SeenPrompt> seen;
    ScriptedPrompt scripted{script, seen};
    bool throughInfoBox = false;
};

const QByteArray AteIni = "[ATE Configuration]\r\nID=ATE-01\r\nTestProduct=P1\r\n"
                          "[History]\r\nVersion=1\r\n";
const QByteArray ProductsIni = "[P1]\r\nModel=M1\r\n[History]\r\nVersion=2\r\n";

TEST_F(IntegrityCheck, WithoutAdminPasswordNothingIsExamined) {
    writeIni(QStringLiteral("ATE.INI"), AteIni);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    EXPECT_TRUE(configurationReleasedForRun());
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_EQ(readFile(iniDir() + QStringLiteral("ATE.INI")), AteIni);
    EXPECT_EQ(readFile(iniDir() + QStringLiteral("PRODUCTS.INI")), ProductsIni);

    // Not even when both files are missing.
    QFile::remove(iniDir() + QStringLiteral("ATE.INI"));
    QFile::remove(iniDir() + QStringLiteral("PRODUCTS.INI"));
    EXPECT_TRUE(configurationReleasedForRun());
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(IntegrityCheck, WrongPasswordThreeTimesThenTheRightOneAcceptsBothFiles) {
    answerInTheInfoBox();
    writeIni(QStringLiteral("ATE.INI"), AteIni);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));

    answerPrompts({{QStringLiteral("guess1")},
                   {QStringLiteral("guess2")},
                   {QStringLiteral("guess3")},
                   {QStringLiteral("Op3nSesame")},
                   {QString()}}); // the PRODUCTS.INI prompt already holds the password
    EXPECT_TRUE(check());
    ASSERT_EQ(seen.size(), 5u);

    const QString firstAsk = ChecksumMessageOfAte + QLatin1Char('\n') + AskForPassword;
    EXPECT_EQ(seen[0].message, firstAsk);
    EXPECT_EQ(seen[0].initialInput, QString());
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(seen[i].message, firstAsk + WrongPasswordNote) << i;
        EXPECT_EQ(seen[i].initialInput, QStringLiteral("guess%1").arg(i)) << i;
    }
    // The note starts empty again for the second file, whose prompt opens
    // with the password just typed.
    EXPECT_EQ(seen[4].message, ChecksumMessageOfProducts + QLatin1Char('\n') + AskForPassword);
    EXPECT_EQ(seen[4].initialInput, QStringLiteral("Op3nSesame"));
    for (const SeenPrompt& prompt : seen)
        EXPECT_TRUE(prompt.masked);

    EXPECT_EQ(storedChecksum(QStringLiteral("ATE.INI")), checksumOf(AteIni));
    EXPECT_EQ(storedChecksum(QStringLiteral("PRODUCTS.INI")), checksumOf(ProductsIni));
    EXPECT_TRUE(recorder->messages.empty());

    // Both files carried a History section: their checksums are stable now.
    seen.clear();
    EXPECT_TRUE(check());
    EXPECT_TRUE(seen.empty());
}

TEST_F(IntegrityCheck, CancelAtTheAteIniPromptEndsTheCheck) {
    answerInTheInfoBox();
    writeIni(QStringLiteral("ATE.INI"), AteIni);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));

    answerPrompts({{QStringLiteral("Op3nSesame"), false}});
    EXPECT_FALSE(configurationReleasedForRun());
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(recorder->texts(), QStringList{integrityRefusedMessage()});
    EXPECT_EQ(recorder->messages.back().icon, MessageIcon::Critical);
    // Nothing was accepted, nothing written.
    EXPECT_EQ(readFile(iniDir() + QStringLiteral("ATE.INI")), AteIni);
    EXPECT_EQ(readFile(iniDir() + QStringLiteral("PRODUCTS.INI")), ProductsIni);
}

TEST_F(IntegrityCheck, CancelAtTheProductsPromptKeepsTheAcceptedAteIni) {
    writeIni(QStringLiteral("ATE.INI"), AteIni);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));

    answerPrompts({{QStringLiteral("Op3nSesame")}, {QString(), false}});
    EXPECT_FALSE(check());
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(storedChecksum(QStringLiteral("ATE.INI")), checksumOf(AteIni));
    EXPECT_EQ(readFile(iniDir() + QStringLiteral("PRODUCTS.INI")), ProductsIni);
}

TEST_F(IntegrityCheck, AnUnchangedFileIsNotAskedFor) {
    const QByteArray accepted = AteIni + "XQCheckSum=  " + checksumOf(AteIni).toLatin1() + "  \r\n";
    writeIni(QStringLiteral("ATE.INI"), accepted);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));

    answerPrompts({{QStringLiteral("Op3nSesame")}});
    EXPECT_TRUE(check());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].message.startsWith(ChecksumMessageOfProducts));
}

TEST_F(IntegrityCheck, StoredChecksumComparesWithCase) {
    const QByteArray lowerCase =
        AteIni + "XQCheckSum=" + checksumOf(AteIni).toLower().toLatin1() + "\r\n";
    writeIni(QStringLiteral("ATE.INI"), lowerCase);
    writeIni(QStringLiteral("PRODUCTS.INI"),
             ProductsIni + "XQCheckSum=" + checksumOf(ProductsIni).toLatin1() + "\r\n");
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));

    answerPrompts({{QStringLiteral("Op3nSesame")}});
    EXPECT_TRUE(check());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].message.startsWith(ChecksumMessageOfAte));
    EXPECT_EQ(storedChecksum(QStringLiteral("ATE.INI")), checksumOf(AteIni));
}

TEST_F(IntegrityCheck, AnEditAfterAcceptanceIsAskedForAgain) {
    writeIni(QStringLiteral("ATE.INI"), AteIni);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));
    answerPrompts({{QStringLiteral("Op3nSesame")}, {QString()}});
    ASSERT_TRUE(check());

    utility.WriteINI(false, QStringLiteral("P1"), QStringLiteral("Model"), QStringLiteral("M1,M2"));
    seen.clear();
    answerPrompts({{QStringLiteral("Op3nSesame")}});
    EXPECT_TRUE(check());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].message.startsWith(ChecksumMessageOfProducts));
}

TEST_F(IntegrityCheck, FirstAcceptanceAddsTheHistorySectionSoTheNextCheckAsksOnceMore) {
    const QByteArray noHistory = "[ATE Configuration]\r\nID=ATE-01\r\n";
    writeIni(QStringLiteral("ATE.INI"), noHistory);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));

    answerPrompts({{QStringLiteral("Op3nSesame")}, {QString()}});
    ASSERT_TRUE(check());
    EXPECT_EQ(storedChecksum(QStringLiteral("ATE.INI")), checksumOf(noHistory));

    // The added "[History]" line is part of the text now.
    seen.clear();
    answerPrompts({{QStringLiteral("Op3nSesame")}});
    ASSERT_TRUE(check());
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(seen[0].message.startsWith(ChecksumMessageOfAte));
    EXPECT_EQ(storedChecksum(QStringLiteral("ATE.INI")), checksumOf(noHistory + "[History]\r\n"));

    seen.clear();
    EXPECT_TRUE(check());
    EXPECT_TRUE(seen.empty());
}

TEST_F(IntegrityCheck, MissingFilesHaveChecksumZeroAndAreAskedFor) {
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));
    answerPrompts({{QStringLiteral("Op3nSesame")}, {QString()}});
    EXPECT_TRUE(check());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].message.startsWith(ChecksumMessageOfAte));
    EXPECT_TRUE(seen[1].message.startsWith(ChecksumMessageOfProducts));
    EXPECT_EQ(
        recorder->texts(),
        (QStringList{
            QStringLiteral("ATE.INI file is missing!, please check you INIPath property."),
            QStringLiteral("PRODUCTS.INI file is missing!, please check you INIPath property.")}));
    // Accepting a missing file does not create it.
    EXPECT_FALSE(QFile::exists(iniDir() + QStringLiteral("ATE.INI")));
    EXPECT_FALSE(QFile::exists(iniDir() + QStringLiteral("PRODUCTS.INI")));
}

TEST_F(IntegrityCheck, ReleasedForRunWhenAccepted) {
    answerInTheInfoBox();
    writeIni(QStringLiteral("ATE.INI"), AteIni);
    writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
    utility.setAdminPassword(QStringLiteral("Op3nSesame"));
    answerPrompts({{QStringLiteral("Op3nSesame")}, {QString()}});
    EXPECT_TRUE(configurationReleasedForRun());
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_TRUE(recorder->messages.empty());
}

} // namespace
