#include "support/ModalDriver.h"
#include "support/StationFixture.h"

#include <XQTestDev/XQUtility32.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString AteQuestion = QStringLiteral(
    "\n\n\n\nNew ATE.INI has been found.\nWould you like to overwrite the existing one?.");
const QString ProductsQuestion = QStringLiteral(
    "\n\n\n\nNew PRODUCTS.INI has been found.\nWould you like to overwrite the existing one?.");
const QString AteMissing =
    QStringLiteral("ATE.INI file is missing!, please check you INIPath property.");
const QString ProductsMissing =
    QStringLiteral("PRODUCTS.INI file is missing!, please check you INIPath property.");

const QByteArray OldAte = "[ATE Configuration]\r\nID=ATE-07\r\n[History]\r\nVersion=1.0\r\n";
const QByteArray NewAte = "[ATE Configuration]\r\nID=ATE-07\r\n[History]\r\nVersion=2.0\r\n";
const QByteArray OldProducts = "[PSU5V]\r\nVersion=A1\r\n";
const QByteArray NewProducts = "[PSU5V]\r\nVersion=B2\r\n";

// The operator in front of the station: answers every InfoBox that comes up
// by pressing the button with the next caption queued (Cancel when none is
// left) and notes what it was asked. Stops watching when it goes out of scope.
class InfoBoxOperator {
public:
    InfoBoxOperator() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answerOpenDialog(); });
        timer_.start();
    }

    std::deque<QString> answers;
    QStringList questions;
    QList<QStringList> captions; // the visible buttons of each question

private:
    void answerOpenDialog() {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || dialog->objectName() != "frmGeneralInfoBox")
            return;
        questions << childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"))->toPlainText();
        const QString answer = answers.empty() ? QStringLiteral("Cancel") : answers.front();
        if (!answers.empty())
            answers.pop_front();
        QStringList visible;
        QPushButton* chosen = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (!button->isVisible())
                continue;
            visible << button->text();
            if (button->text() == answer)
                chosen = button;
        }
        visible.sort();
        captions << visible;
        if (!chosen) {
            ADD_FAILURE() << "no button " << answer.toStdString();
            dialog->close();
            return;
        }
        chosen->click();
    }

    QTimer timer_;
};

class UpdateIniTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(newDir()));
        utility.setINIPath(iniDir());
        now = QDateTime::currentDateTime();
    }

    QString newDir() const { return root() + QStringLiteral("update/"); }

    // Writes a file and gives it a last-modified time `ageDays` days ago.
    void writeAged(const QString& path, const QByteArray& bytes, int ageDays) const {
        writeFile(path, bytes);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addDays(-ageDays), QFileDevice::FileModificationTime));
    }

    void writeStation(int ateAge = 10, int productsAge = 10) const {
        writeAged(iniDir() + "ATE.INI", OldAte, ateAge);
        writeAged(iniDir() + "PRODUCTS.INI", OldProducts, productsAge);
    }

    QStringList backups(const QString& prefix) const {
        // Name filters match without regard to case.
        return QDir(iniDir()).entryList({prefix + "*.INI"}, QDir::Files, QDir::Name);
    }

    XQUtility32 utility;
    QDateTime now;
};

TEST_F(UpdateIniTest, AcceptedNewerAteIniIsBackedUpUnderTheFirstFreeNumber) {
    writeStation();
    writeIni("ate001.ini", "first backup"); // names compare without regard to case
    writeIni("ATE002.INI", "second backup");
    writeAged(newDir() + "ATE.INI", NewAte, 1);
    EXPECT_EQ(utility.GetINIVersion(), QStringLiteral("1.0"));

    InfoBoxOperator op;
    op.answers = {QStringLiteral("OK")};
    utility.UpdateINI(root() + "update"); // no trailing "/"

    EXPECT_EQ(op.questions, QStringList{AteQuestion});
    ASSERT_EQ(op.captions.size(), 1);
    EXPECT_EQ(op.captions[0], (QStringList{"Cancel", "OK"}));
    EXPECT_EQ(readFile(iniDir() + "ATE003.INI"), OldAte);
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), NewAte);
    EXPECT_EQ(readFile(iniDir() + "ate001.ini"), "first backup");
    EXPECT_EQ(readFile(iniDir() + "ATE002.INI"), "second backup");
    EXPECT_EQ(backups("ATE").size(), 4); // ATE.INI and three numbered ones
    // The backup keeps the replaced file's time.
    EXPECT_LE(std::abs(QFileInfo(iniDir() + "ATE003.INI").lastModified().secsTo(now.addDays(-10))),
              1);
    // Readers see the new file at once.
    EXPECT_EQ(utility.GetINIVersion(), QStringLiteral("2.0"));
    EXPECT_EQ(readFile(iniDir() + "PRODUCTS.INI"), OldProducts);
    EXPECT_TRUE(recorder->messages.empty()) << recorder->texts().join('|').toStdString();
}

// Installed with today's date, the new file would hide a later update dated
// between the two; a copy keeps the date of what it copies.
TEST_F(UpdateIniTest, InstalledCopyKeepsTheNewFilesDateSoALaterUpdateIsStillOffered) {
    writeStation(10, 10);
    writeAged(newDir() + "ATE.INI", NewAte, 5);
    InfoBoxOperator op;
    op.answers = {QStringLiteral("OK")};
    utility.UpdateINI(newDir());
    ASSERT_EQ(readFile(iniDir() + "ATE.INI"), NewAte);
    EXPECT_EQ(QFileInfo(iniDir() + "ATE.INI").lastModified(),
              QFileInfo(newDir() + "ATE.INI").lastModified());
    EXPECT_EQ(QFileInfo(iniDir() + "ATE001.INI").lastModified().toSecsSinceEpoch(),
              now.addDays(-10).toSecsSinceEpoch());

    const QByteArray LaterAte = "[History]\r\nVersion=3.0\r\n";
    writeAged(newDir() + "ATE.INI", LaterAte, 2); // newer than 5 days, older than today
    op.answers = {QStringLiteral("OK")};
    utility.UpdateINI(newDir());
    EXPECT_EQ(op.questions, (QStringList{AteQuestion, AteQuestion}));
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), LaterAte);
    EXPECT_EQ(utility.GetINIVersion(), QStringLiteral("3.0"));
}

TEST_F(UpdateIniTest, CancelLeavesTheFileAlone) {
    writeStation();
    writeAged(newDir() + "ATE.INI", NewAte, 1);
    writeAged(newDir() + "PRODUCTS.INI", NewProducts, 1);

    InfoBoxOperator op;
    op.answers = {QStringLiteral("Cancel"), QStringLiteral("Cancel")};
    utility.UpdateINI(newDir());

    EXPECT_EQ(op.questions, (QStringList{AteQuestion, ProductsQuestion}));
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), OldAte);
    EXPECT_EQ(readFile(iniDir() + "PRODUCTS.INI"), OldProducts);
    EXPECT_EQ(backups("ATE"), QStringList{"ATE.INI"});
    EXPECT_EQ(backups("PROD"), QStringList{"PRODUCTS.INI"});
    EXPECT_TRUE(recorder->messages.empty());
}

struct NotNewerCase {
    const char* name;
    int newAteAge; // days; the current ATE.INI is 10 days old. -1: a folder named ATE.INI
};

void PrintTo(const NotNewerCase& c, std::ostream* os) {
    *os << c.name;
}

class UpdateIniNotNewer : public UpdateIniTest,
                          public ::testing::WithParamInterface<NotNewerCase> {};

TEST_P(UpdateIniNotNewer, AsksNothingForAteIniAndGoesOnWithProductsIni) {
    writeStation();
    if (GetParam().newAteAge < 0)
        ASSERT_TRUE(QDir().mkpath(newDir() + "ATE.INI"));
    else
        writeAged(newDir() + "ATE.INI", NewAte, GetParam().newAteAge);
    writeAged(newDir() + "PRODUCTS.INI", NewProducts, 1);

    InfoBoxOperator op;
    op.answers = {QStringLiteral("OK")};
    utility.UpdateINI(newDir());

    EXPECT_EQ(op.questions, QStringList{ProductsQuestion});
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), OldAte);
    EXPECT_EQ(backups("ATE"), QStringList{"ATE.INI"});
    EXPECT_EQ(readFile(iniDir() + "PROD001.INI"), OldProducts);
    EXPECT_EQ(readFile(iniDir() + "PRODUCTS.INI"), NewProducts);
    EXPECT_EQ(utility.GetINIVersion("PSU5V"), QStringLiteral("B2"));
    EXPECT_TRUE(recorder->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(OlderEqualOrNoFile, UpdateIniNotNewer,
                         ::testing::Values(NotNewerCase{"older", 20}, NotNewerCase{"equal", 10},
                                           NotNewerCase{"folder", -1}));

TEST_F(UpdateIniTest, MissingCurrentAteIniStopsWithTheCriticalMessage) {
    writeAged(iniDir() + "PRODUCTS.INI", OldProducts, 10);
    writeAged(newDir() + "ATE.INI", NewAte, 1);
    writeAged(newDir() + "PRODUCTS.INI", NewProducts, 1);

    InfoBoxOperator op;
    op.answers = {QStringLiteral("OK"), QStringLiteral("OK")};
    utility.UpdateINI(newDir());

    EXPECT_TRUE(op.questions.isEmpty());
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(recorder->messages[0].text, AteMissing);
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(iniDir() + "ATE.INI"));
    EXPECT_EQ(readFile(iniDir() + "PRODUCTS.INI"), OldProducts);
}

TEST_F(UpdateIniTest, MissingCurrentProductsIniStopsAfterTheAteStep) {
    writeAged(iniDir() + "ATE.INI", OldAte, 10);
    writeAged(newDir() + "ATE.INI", NewAte, 1);
    writeAged(newDir() + "PRODUCTS.INI", NewProducts, 1);

    InfoBoxOperator op;
    op.answers = {QStringLiteral("OK"), QStringLiteral("OK")};
    utility.UpdateINI(newDir());

    EXPECT_EQ(op.questions, QStringList{AteQuestion});
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), NewAte);
    EXPECT_EQ(recorder->texts(), QStringList{ProductsMissing});
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(QFileInfo::exists(iniDir() + "PRODUCTS.INI"));
}

TEST_F(UpdateIniTest, EmptyPathIsRefused) {
    writeStation();
    InfoBoxOperator op;
    utility.UpdateINI(QString());
    utility.UpdateINI();
    EXPECT_EQ(recorder->texts(),
              (QStringList{"Invaid update INI path!", "Invaid update INI path!"}));
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(op.questions.isEmpty());
}

TEST_F(UpdateIniTest, AMissingUpdateFolderChangesNothing) {
    writeStation();
    InfoBoxOperator op;
    utility.UpdateINI(root() + "no-such-folder");
    EXPECT_TRUE(op.questions.isEmpty());
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), OldAte);
    EXPECT_EQ(readFile(iniDir() + "PRODUCTS.INI"), OldProducts);
}

// A station that looks into the same update folder again finds a file put
// there since, whatever the case of its name.
TEST_F(UpdateIniTest, AFileArrivingLaterInTheUpdateFolderIsFound) {
    writeStation();
    InfoBoxOperator op;
    utility.UpdateINI(newDir());
    EXPECT_TRUE(op.questions.isEmpty());

    writeAged(newDir() + "ate.ini", NewAte, 1);
    op.answers = {QStringLiteral("OK")};
    utility.UpdateINI(newDir());
    EXPECT_EQ(op.questions, QStringList{AteQuestion});
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), NewAte);
    EXPECT_EQ(readFile(iniDir() + "ATE001.INI"), OldAte);
}

struct NoBackupCase {
    const char* prefix;
    const char* fileName;
    const char* message;
};

void PrintTo(const NoBackupCase& c, std::ostream* os) {
    *os << c.fileName;
}

class UpdateIniNoBackupLeft : public UpdateIniTest,
                              public ::testing::WithParamInterface<NoBackupCase> {};

TEST_P(UpdateIniNoBackupLeft, ReplacesNothingAndSaysSo) {
    const NoBackupCase c = GetParam();
    writeStation();
    for (int n = 1; n <= 999; ++n)
        writeIni(QStringLiteral("%1%2.INI").arg(c.prefix).arg(n, 3, 10, QLatin1Char('0')), {});
    // Both files are newer; only the one without free backup names fails.
    writeAged(newDir() + "ATE.INI", NewAte, 1);
    writeAged(newDir() + "PRODUCTS.INI", NewProducts, 1);

    InfoBoxOperator op;
    op.answers = {QStringLiteral("OK"), QStringLiteral("OK")};
    utility.UpdateINI(newDir());

    // A shortage for ATE.INI does not keep PRODUCTS.INI from being offered.
    EXPECT_EQ(op.questions, (QStringList{AteQuestion, ProductsQuestion}));
    EXPECT_EQ(recorder->texts(), QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
    const bool ateBlocked = QString::fromLatin1(c.prefix) == "ATE";
    EXPECT_EQ(readFile(iniDir() + "ATE.INI"), ateBlocked ? OldAte : NewAte);
    EXPECT_EQ(readFile(iniDir() + "PRODUCTS.INI"), ateBlocked ? NewProducts : OldProducts);
    EXPECT_EQ(readFile(iniDir() + (ateBlocked ? "PROD001.INI" : "ATE001.INI")),
              ateBlocked ? OldProducts : OldAte);
    // The taken names are untouched.
    EXPECT_EQ(QFileInfo(iniDir() + c.prefix + "999.INI").size(), 0);
    EXPECT_EQ(QFileInfo(iniDir() + c.prefix + "001.INI").size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    BothFiles, UpdateIniNoBackupLeft,
    ::testing::Values(NoBackupCase{"ATE", "ATE.INI",
                                   "Unable to update ATE.INI, Please delete some backup files!."},
                      NoBackupCase{
                          "PROD", "PRODUCTS.INI",
                          "Unable to update PRODUCTS.INI, Please delete off some backup files!"}));

} // namespace
