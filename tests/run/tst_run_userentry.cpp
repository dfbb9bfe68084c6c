// The user entry (frmUserEntry) as the operator sees it, ShowUserEntry and the
// run properties of XQMenu32.

#include "config/XQSecurity32.h"
#include "frame/LibraryState.h"
#include "frame/ScreenUnits.h"
#include "run/CustomerLogo.h"
#include "run/EntryText.h"
#include "run/GroupWindow.h"
#include "run/RunSession.h"
#include "run/UserEntryDialog.h"
#include "run/UserEntryRules.h"
#include "support/ModalDriver.h"
#include "support/StationFixture.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QByteArray AteIni = "[ATE Configuration]\r\n"
                          "ID=ATE-07\r\n"
                          "TestID=Production, Rework,,\r\n"
                          "TestProduct= PSU , Charger,, Lamp\r\n"
                          "TestProductDefault=Charger\r\n"
                          "TestIDDefault=Production\r\n"
                          "[History]\r\nVersion=3\r\n";

const QByteArray ProductsIni = "[PSU]\r\nModel=M1, M2\r\nRevision=A,B\r\nRemark=Fixture, Cable\r\n"
                               "[PSU Spec]\r\n1=V1,1,2,1.5,V,Power,Vout,\r\n"
                               "2=V2,1,2,1.5,V,Power,Vin,\r\n3=<EOT>\r\n"
                               "[Charger]\r\nModel=C1\r\nRevision=\r\n"
                               "[Charger Spec]\r\n1=I1,0,1,0.5,A,Charge,Current,\r\n2=<EOT>\r\n"
                               "[Lamp]\r\nModel=\r\nRevision=R1,R2\r\nRemark=a,b,c,d,e\r\n"
                               "[Lamp Spec]\r\n1=L1,0,1,0.5,A,Light,Lux,\r\n2=<EOT>\r\n"
                               "[History]\r\nVersion=4\r\n";

const QString PasswordPromptAte = QStringLiteral("Warning! ATE.INI has changed.");
const QString Refused =
    QStringLiteral("Either or both of INI file(s) has changed and need the permissive use!.");

QLineEdit* textField(QWidget* root, const QString& name) {
    if (auto* box = childNamed<QComboBox>(root, name))
        return box->lineEdit();
    return childNamed<QLineEdit>(root, name);
}

QComboBox* listBox(QWidget* root, const char* name) {
    return childNamed<QComboBox>(root, QLatin1String(name));
}

// Types over whatever the field holds, as an operator does after the field
// selected its text.
void typeInto(QWidget* root, const QString& name, const QString& text) {
    QLineEdit* field = textField(root, name);
    ASSERT_NE(field, nullptr) << name.toStdString();
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

void chooseProduct(QWidget* root, const QString& product) {
    QComboBox* box = listBox(root, "cboTestProduct");
    ASSERT_NE(box, nullptr);
    const int index = box->findText(product);
    ASSERT_GE(index, 0) << product.toStdString();
    box->setCurrentIndex(index);
}

// A complete entry for the product PSU.
void fillPsuEntry(QWidget* root, const QString& serial = QStringLiteral("SN-0001")) {
    chooseProduct(root, QStringLiteral("PSU"));
    typeInto(root, QStringLiteral("txtOperatorID"), QStringLiteral("OP01"));
    typeInto(root, QStringLiteral("cboTestID"), QStringLiteral("Production"));
    typeInto(root, QStringLiteral("txtUUTSerialNumber"), serial);
    typeInto(root, QStringLiteral("txtWorkOrderNumber"), QStringLiteral("WO-77"));
    typeInto(root, QStringLiteral("cboModel"), QStringLiteral("M2"));
    typeInto(root, QStringLiteral("cboRevision"), QStringLiteral("B"));
    typeInto(root, QStringLiteral("txtRemark_0"), QStringLiteral("FX-3"));
    typeInto(root, QStringLiteral("txtRemark_1"), QStringLiteral("CB-9"));
}

bool isEnabled(QWidget* root, const char* name) {
    QWidget* widget = childNamed<QWidget>(root, QLatin1String(name));
    return widget && widget->isEnabled();
}

QStringList itemsOf(QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList visibleRemarkCaptions(QWidget* root) {
    QStringList captions;
    for (int row = 0; row < 4; ++row) {
        auto* label = childNamed<QLabel>(root, QStringLiteral("lblRemark_%1").arg(row));
        auto* field = childNamed<QLineEdit>(root, QStringLiteral("txtRemark_%1").arg(row));
        if (label && field && !label->isHidden() && !field->isHidden() && field->isEnabled())
            captions << label->text();
    }
    return captions;
}

// The name of the control that holds the window's focus (an editable list's
// own name for its text field).
QString focusedName(QWidget* root) {
    QWidget* focused = root->focusWidget();
    if (!focused)
        return {};
    if (auto* box = qobject_cast<QComboBox*>(focused->parentWidget()))
        return box->objectName();
    return focused->objectName();
}

class UserEntry : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        writeIni(QStringLiteral("ATE.INI"), AteIni);
        writeIni(QStringLiteral("PRODUCTS.INI"), ProductsIni);
        library().iniDirectory = iniDir();
        runModel().run = RunData();
        runSession().userEntryOpened = false;
    }

    // A user entry shown without waiting, for looking at it.
    std::unique_ptr<UserEntryDialog> openEntry(const QString& serial = QString()) {
        auto dialog = std::make_unique<UserEntryDialog>(serial);
        dialog->show();
        return dialog;
    }

    // Runs ShowUserEntry with `act` driving the modal window.
    bool showUserEntry(XQMenu32& menu, std::function<void(QWidget*)> act) {
        whenModalShows([act = std::move(act)](QWidget* window) {
            EXPECT_EQ(window->objectName(), QStringLiteral("frmUserEntry"));
            act(window);
        });
        return menu.ShowUserEntry();
    }

    // A first entry for PSU, accepted.
    void acceptFirstEntry(XQMenu32& menu, const QString& serial = QStringLiteral("SN-0001")) {
        ASSERT_TRUE(showUserEntry(menu, [serial](QWidget* window) {
            fillPsuEntry(window, serial);
            clickButton(window, QStringLiteral("cmdOK"));
        }));
    }

    QString resultsValue(const QString& key) {
        return readStationIni(resultsDir() + QStringLiteral("XQResults.ini"),
                              QStringLiteral("PSU Test Results"), key);
    }

    // A key as a fresh reader of the file sees it.
    QString readStationIni(const QString& path, const QString& section, const QString& key) {
        const QStringList lines =
            QString::fromUtf8(readFile(path)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        bool inSection = false;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1Char('[')))
                inSection = line == QLatin1Char('[') + section + QLatin1Char(']');
            else if (inSection && line.startsWith(key + QLatin1Char('=')))
                return line.mid(key.size() + 1);
        }
        return QStringLiteral("<absent>");
    }
};

// ------------------------------------------------------------------ opening

TEST_F(UserEntry, OpensWithTheStationListsAndDefaults) {
    auto dialog = openEntry();
    EXPECT_EQ(dialog->objectName(), QStringLiteral("frmUserEntry"));
    QComboBox* products = listBox(dialog.get(), "cboTestProduct");
    // Every item is kept, the empty one too.
    EXPECT_EQ(itemsOf(products), (QStringList{"PSU", "Charger", "", "Lamp"}));
    EXPECT_TRUE(products->isEnabled());
    EXPECT_EQ(products->currentText(), QStringLiteral("Charger")); // TestProductDefault
    // Test IDs as written; the default preset.
    EXPECT_EQ(itemsOf(listBox(dialog.get(), "cboTestID")),
              (QStringList{"Production", " Rework", "", ""}));
    EXPECT_EQ(listBox(dialog.get(), "cboTestID")->currentText(), QStringLiteral("Production"));
    EXPECT_TRUE(isEnabled(dialog.get(), "cmdOK"));
    EXPECT_FALSE(isEnabled(dialog.get(), "cmdCancel")); // first opening
    const std::pair<const char*, const char*> captions[] = {
        {"lblProduct", "Product"},           {"lblModel", "Model"},
        {"lblRevision", "Revision"},         {"lblTestID", "Test ID"},
        {"lblOperatorID", "User ID"},        {"lblUUTSerialNumber", "Serial No."},
        {"lblWorkOrderNumber", "WO/Lot No."}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(childNamed<QLabel>(dialog.get(), QLatin1String(name))->text(),
                  QLatin1String(caption))
            << name;
    for (const char* name : {"txtOperatorID", "txtUUTSerialNumber", "txtWorkOrderNumber",
                             "txtRemark_0", "txtRemark_3", "imgLogo", "cmdOK", "cmdCancel"})
        EXPECT_NE(childNamed<QWidget>(dialog.get(), QLatin1String(name)), nullptr) << name;
    EXPECT_TRUE(recorder->messages.empty());
}

struct ProductCase {
    const char* product;
    QStringList models;
    bool modelEnabled;
    QString modelShown;
    QStringList revisions;
    bool revisionEnabled;
    QStringList remarkRows;
    QStringList messages;
};

class ProductChange : public UserEntry, public ::testing::WithParamInterface<ProductCase> {};

TEST_P(ProductChange, FillsModelRevisionAndRemarkRows) {
    const ProductCase& expected = GetParam();
    auto dialog = openEntry();
    recorder->messages.clear();
    chooseProduct(dialog.get(), QLatin1String(expected.product));
    QComboBox* model = listBox(dialog.get(), "cboModel");
    QComboBox* revision = listBox(dialog.get(), "cboRevision");
    EXPECT_EQ(itemsOf(model), expected.models);
    EXPECT_EQ(model->isEnabled(), expected.modelEnabled);
    EXPECT_EQ(model->currentText(), expected.modelShown);
    EXPECT_EQ(itemsOf(revision), expected.revisions);
    EXPECT_EQ(revision->isEnabled(), expected.revisionEnabled);
    EXPECT_EQ(visibleRemarkCaptions(dialog.get()), expected.remarkRows);
    EXPECT_EQ(recorder->texts(), expected.messages);
    const int rows = static_cast<int>(expected.remarkRows.size());
    const int wantedHeight = rows == 0 ? 3615 : 3680 + 415 * rows;
    EXPECT_NEAR(windowSizeTwips(*dialog).height(), wantedHeight, 15);
}

INSTANTIATE_TEST_SUITE_P(
    Products, ProductChange,
    ::testing::Values(
        ProductCase{"PSU", {"M1", "M2"}, true, "", {"A", "B"}, true, {"Fixture", "Cable"}, {}},
        ProductCase{"Charger", {"C1"}, false, "C1", {}, false, {}, {}},
        ProductCase{"Lamp",
                    {},
                    false,
                    "",
                    {"R1", "R2"},
                    true,
                    {},
                    {"Remake fields is exceeded than 4, Please check products.ini!"}}),
    [](const ::testing::TestParamInfo<ProductCase>& param) {
        return std::string(param.param.product);
    });

TEST_F(UserEntry, WindowGrowsByOneRowPerRemarkCaption) {
    for (int captions = 1; captions <= 4; ++captions) {
        QByteArray products = ProductsIni;
        QByteArray remark = "Remark=";
        for (int i = 0; i < captions; ++i)
            remark += (i ? ",R" : "R") + QByteArray::number(i);
        products.replace("Remark=Fixture, Cable", remark);
        writeIni(QStringLiteral("PRODUCTS.INI"), products);
        auto dialog = openEntry();
        chooseProduct(dialog.get(), QStringLiteral("PSU"));
        EXPECT_EQ(visibleRemarkCaptions(dialog.get()).size(), captions);
        EXPECT_NEAR(windowSizeTwips(*dialog).height(), 3680 + 415 * captions, 15) << captions;
    }
}

TEST_F(UserEntry, ChangingTheProductEmptiesTheRemarks) {
    runModel().run.product = QStringLiteral("PSU");
    runModel().run.remarks = {QStringLiteral("FX-1"), QStringLiteral("CB-1"), QString(), QString()};
    auto dialog = openEntry();
    // The kept remarks fill the chosen product's rows.
    EXPECT_EQ(textField(dialog.get(), QStringLiteral("txtRemark_0"))->text(),
              QStringLiteral("FX-1"));
    EXPECT_EQ(textField(dialog.get(), QStringLiteral("txtRemark_1"))->text(),
              QStringLiteral("CB-1"));
    chooseProduct(dialog.get(), QStringLiteral("Charger"));
    chooseProduct(dialog.get(), QStringLiteral("PSU"));
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(
            textField(dialog.get(), QStringLiteral("txtRemark_%1").arg(row))->text().isEmpty());
}

TEST_F(UserEntry, AProductChangeThenCancelLeavesNoRemarksForTheNextOpening) {
    XQMenu32 menu;
    acceptFirstEntry(menu);
    ASSERT_EQ(runModel().run.remarks[0], QStringLiteral("FX-3"));
    EXPECT_FALSE(showUserEntry(menu, [](QWidget* window) {
        chooseProduct(window, QStringLiteral("Charger"));
        clickButton(window, QStringLiteral("cmdCancel"));
    }));
    EXPECT_FALSE(showUserEntry(menu, [](QWidget* window) {
        EXPECT_EQ(listBox(window, "cboTestProduct")->currentText(), QStringLiteral("PSU"));
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(textField(window, QStringLiteral("txtRemark_%1").arg(row))->text(), QString())
                << row;
        clickButton(window, QStringLiteral("cmdCancel"));
    }));
}

// An empty item keeps its place: the row under it and the value typed there
// stay paired with their caption, as the report pairs them.
struct ListCase {
    const char* name;
    QByteArray remark;
    QStringList rows;
};

class RemarkList : public UserEntry, public ::testing::WithParamInterface<ListCase> {};

TEST_P(RemarkList, KeepsEveryCaptionEmptyOnesIncluded) {
    QByteArray products = ProductsIni;
    products.replace("Remark=Fixture, Cable", "Remark=" + GetParam().remark);
    writeIni(QStringLiteral("PRODUCTS.INI"), products);
    auto dialog = openEntry();
    chooseProduct(dialog.get(), QStringLiteral("PSU"));
    EXPECT_EQ(visibleRemarkCaptions(dialog.get()), GetParam().rows);
    EXPECT_NEAR(windowSizeTwips(*dialog).height(), 3680 + 415 * GetParam().rows.size(), 15);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RemarkList,
    ::testing::Values(ListCase{"EmptyInTheMiddle", "Fixture,,Cable", {"Fixture", "", "Cable"}},
                      ListCase{"EmptyAtTheEnd", "Fixture,Cable,", {"Fixture", "Cable", ""}},
                      ListCase{"BlankFirst", " ,Cable", {"", "Cable"}},
                      ListCase{"OnlyCommas", ",,,", {"", "", "", ""}}),
    [](const ::testing::TestParamInfo<ListCase>& param) { return std::string(param.param.name); });

TEST(EntryText, ListsKeepEveryItemAndAnEmptyTextHasNone) {
    EXPECT_EQ(trimmedListItems(QString()), QStringList());
    EXPECT_EQ(trimmedListItems(QStringLiteral(" A ,, B,")), (QStringList{"A", "", "B", ""}));
    EXPECT_EQ(listItemsAsWritten(QString()), QStringList());
    EXPECT_EQ(listItemsAsWritten(QStringLiteral(" A ,, B,")), (QStringList{" A ", "", " B", ""}));
}

TEST_F(UserEntry, OneProductListIsDisabled) {
    QByteArray ate = AteIni;
    ate.replace("TestProduct= PSU , Charger,, Lamp", "TestProduct= PSU ");
    writeIni(QStringLiteral("ATE.INI"), ate);
    auto dialog = openEntry();
    QComboBox* products = listBox(dialog.get(), "cboTestProduct");
    EXPECT_EQ(itemsOf(products), QStringList{"PSU"});
    EXPECT_FALSE(products->isEnabled());
    EXPECT_EQ(products->currentText(), QStringLiteral("PSU"));
    EXPECT_EQ(visibleRemarkCaptions(dialog.get()), (QStringList{"Fixture", "Cable"}));
}

TEST_F(UserEntry, WithoutProductListOnlyCancelIsPossible) {
    for (const QByteArray& list :
         {QByteArray("TestProduct=\r\n"), QByteArray("TestProduct=  \r\n"), QByteArray()}) {
        QByteArray ate = AteIni;
        ate.replace("TestProduct= PSU , Charger,, Lamp\r\n", list);
        writeIni(QStringLiteral("ATE.INI"), ate);
        runSession().userEntryOpened = false;
        XQMenu32 menu;
        const bool accepted = showUserEntry(menu, [](QWidget* window) {
            EXPECT_FALSE(isEnabled(window, "cboTestProduct"));
            EXPECT_FALSE(isEnabled(window, "cmdOK"));
            EXPECT_TRUE(isEnabled(window, "cmdCancel"));
            clickButton(window, QStringLiteral("cmdCancel"));
        });
        EXPECT_FALSE(accepted);
        EXPECT_TRUE(runModel().run.entryCancelled);
        EXPECT_TRUE(runModel().run.product.isEmpty());
    }
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(UserEntry, AProductListKeepsItsEmptyItemsAndAnEmptyChoiceIsRefused) {
    QByteArray ate = AteIni;
    ate.replace("TestProduct= PSU , Charger,, Lamp", "TestProduct=, PSU ,");
    ate.replace("TestProductDefault=Charger\r\n", "");
    writeIni(QStringLiteral("ATE.INI"), ate);
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        QComboBox* products = listBox(window, "cboTestProduct");
        EXPECT_EQ(itemsOf(products), (QStringList{"", "PSU", ""}));
        EXPECT_TRUE(products->isEnabled());
        EXPECT_EQ(products->currentText(), QString()); // the first item
        fillPsuEntry(window);
        products->setCurrentIndex(2);
        clickButton(window, QStringLiteral("cmdOK"));
        EXPECT_TRUE(window->isVisible());
        fillPsuEntry(window);
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral("Please enter the test product!")});
    EXPECT_EQ(menu.TestProduct(), QStringLiteral("PSU"));
}

TEST_F(UserEntry, MissingConfigurationFilesAreReportedAndOnlyCancelIsPossible) {
    QFile::remove(iniDir() + QStringLiteral("ATE.INI"));
    QFile::remove(iniDir() + QStringLiteral("PRODUCTS.INI"));
    XQMenu32 menu;
    EXPECT_FALSE(showUserEntry(menu, [](QWidget* window) {
        EXPECT_FALSE(isEnabled(window, "cmdOK"));
        clickButton(window, QStringLiteral("cmdCancel"));
    }));
    const QString missing =
        QStringLiteral("ATE.INI file is missing!, please check you INIPath property.");
    EXPECT_EQ(recorder->texts(), (QStringList{missing, missing})); // TestID, TestProduct
}

TEST_F(UserEntry, ProductWithoutModelsPassesWithAnEmptyModel) {
    QByteArray ate = AteIni;
    ate.replace("TestProductDefault=Charger", "TestProductDefault=Lamp");
    writeIni(QStringLiteral("ATE.INI"), ate);
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        EXPECT_FALSE(isEnabled(window, "cboModel"));
        typeInto(window, QStringLiteral("txtOperatorID"), QStringLiteral("OP01"));
        typeInto(window, QStringLiteral("txtUUTSerialNumber"), QStringLiteral("L-1"));
        typeInto(window, QStringLiteral("cboRevision"), QStringLiteral("R2"));
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(menu.TestProduct(), QStringLiteral("Lamp"));
    EXPECT_EQ(menu.Model(), QString());
    EXPECT_EQ(menu.Revision(), QStringLiteral("R2"));
}

TEST_F(UserEntry, OneModelIsShownDisabledAndPassesWithoutTyping) {
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        EXPECT_EQ(listBox(window, "cboTestProduct")->currentText(), QStringLiteral("Charger"));
        typeInto(window, QStringLiteral("txtOperatorID"), QStringLiteral("OP01"));
        typeInto(window, QStringLiteral("txtUUTSerialNumber"), QStringLiteral("C-1"));
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(menu.Model(), QStringLiteral("C1"));
    EXPECT_EQ(menu.Revision(), QString());
    EXPECT_EQ(menu.TestID(), QStringLiteral("Production"));
    EXPECT_TRUE(recorder->messages.empty());
}

// ------------------------------------------------------------------- OK checks

struct CheckCase {
    const char* name;
    std::function<void(QWidget*)> spoil; // applied to a complete PSU entry
    QString message;
    QString focus;
};

class OkCheck : public UserEntry, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(OkCheck, RefusesWithItsMessageAndFocusesTheField) {
    const CheckCase& check = GetParam();
    auto dialog = openEntry();
    fillPsuEntry(dialog.get());
    check.spoil(dialog.get());
    recorder->messages.clear();
    clickButton(dialog.get(), QStringLiteral("cmdOK"));
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(recorder->messages[0].text, check.message);
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(focusedName(dialog.get()), check.focus);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(runModel().run.product.isEmpty()); // nothing stored
    EXPECT_FALSE(QFile::exists(resultsDir() + QStringLiteral("XQResults.ini")));
}

void blank(QWidget* window, const char* name) {
    typeInto(window, QLatin1String(name), QString());
}

INSTANTIATE_TEST_SUITE_P(
    InOrder, OkCheck,
    ::testing::Values(CheckCase{"OperatorID", [](QWidget* w) { blank(w, "txtOperatorID"); },
                                "Please be enter the Operator ID!", "txtOperatorID"},
                      CheckCase{"SerialNumber", [](QWidget* w) { blank(w, "txtUUTSerialNumber"); },
                                "Please enter the serial number!", "txtUUTSerialNumber"},
                      CheckCase{
                          "SerialOfControlCharactersOnly",
                          [](QWidget* w) {
                              textField(w, QStringLiteral("txtUUTSerialNumber"))->setText("\t\r\n");
                          },
                          "Please enter the serial number!", "txtUUTSerialNumber"},
                      CheckCase{"TestID", [](QWidget* w) { blank(w, "cboTestID"); },
                                "Please enter the test ID!", "cboTestID"},
                      CheckCase{"Model", [](QWidget* w) { blank(w, "cboModel"); },
                                "Please enter the model!", "cboModel"},
                      CheckCase{"Revision", [](QWidget* w) { blank(w, "cboRevision"); },
                                "Please enter the revision!", "cboRevision"},
                      CheckCase{"SecondRemark", [](QWidget* w) { blank(w, "txtRemark_1"); },
                                "Please enter the Cable!", "txtRemark_1"},
                      CheckCase{"EverythingEmptyNamesTheOperatorFirst",
                                [](QWidget* w) {
                                    for (const char* name :
                                         {"txtRemark_0", "txtRemark_1", "cboRevision", "cboModel",
                                          "cboTestID", "txtUUTSerialNumber", "txtOperatorID"})
                                        blank(w, name);
                                },
                                "Please be enter the Operator ID!", "txtOperatorID"},
                      CheckCase{"ModelBeforeRemarks",
                                [](QWidget* w) {
                                    blank(w, "txtRemark_0");
                                    blank(w, "cboModel");
                                },
                                "Please enter the model!", "cboModel"}),
    [](const ::testing::TestParamInfo<CheckCase>& param) { return std::string(param.param.name); });

TEST(EntryRules, ProductIsCheckedAfterTestIdAndBeforeModel) {
    EntryInput input;
    input.operatorId = QStringLiteral("OP01");
    input.serialNumber = QStringLiteral("SN");
    input.testId = QStringLiteral("T");
    input.modelRequired = true;
    const auto refusal = firstMissingField(input);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, EntryField::Product);
    EXPECT_EQ(refusal->message, QStringLiteral("Please enter the test product!"));
}

// ------------------------------------------------------------------ accepting

TEST_F(UserEntry, AcceptedEntryIsStoredAndStartsTheResultsFile) {
    XQMenu32 menu;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    acceptFirstEntry(menu);
    const RunData& run = runModel().run;
    EXPECT_EQ(run.ateId, QStringLiteral("ATE-07"));
    EXPECT_EQ(run.product, QStringLiteral("PSU"));
    EXPECT_FALSE(run.entryCancelled);
    EXPECT_EQ(run.remarks[0], QStringLiteral("FX-3"));
    EXPECT_EQ(run.remarks[1], QStringLiteral("CB-9"));

    EXPECT_EQ(menu.OperatorID(), QStringLiteral("OP01"));
    EXPECT_EQ(menu.SerialNumber(), QStringLiteral("SN-0001"));
    EXPECT_EQ(menu.WorkOrderLotNumber(), QStringLiteral("WO-77"));
    EXPECT_EQ(menu.TestID(), QStringLiteral("Production"));
    EXPECT_EQ(menu.Model(), QStringLiteral("M2"));
    EXPECT_EQ(menu.Revision(), QStringLiteral("B"));
    EXPECT_EQ(menu.TestProduct(), QStringLiteral("PSU"));
    EXPECT_GE(menu.StartTime(), before);
    EXPECT_EQ(menu.StartTime(), run.startTime);

    EXPECT_EQ(resultsValue(QStringLiteral("StartTestTime")),
              QLocale::c().toString(run.startTime, QStringLiteral("MM/dd/yyyy hh:mm:ss ap")));
    const std::pair<const char*, const char*> header[] = {
        {"EndTestTime", ""},         {"OperatorID", "OP01"},
        {"SerialNumber", "SN-0001"}, {"WorkOrderNumber", "WO-77"},
        {"TestID", "Production"},    {"Model", "M2"},
        {"Revision", "B"},           {"Remark1", "FX-3"},
        {"Remark2", "CB-9"},         {"Remark3", ""},
        {"OverallPassFail", "----"}, {"1", "----|----"},
        {"2", "----|----"}};
    for (const auto& [key, value] : header)
        EXPECT_EQ(resultsValue(QLatin1String(key)), QLatin1String(value)) << key;
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(UserEntry, TheStartTimeIsSetOnlyAtTheFirstEntry) {
    XQMenu32 menu;
    acceptFirstEntry(menu);
    const QDateTime first = runModel().run.startTime;
    // A later entry would carry a later time.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QDateTime::currentDateTime() > first; }, 2000));
    acceptFirstEntry(menu, QStringLiteral("SN-0002"));
    EXPECT_EQ(menu.StartTime(), first);
}

TEST_F(UserEntry, ControlCharactersAreRemovedBeforeStoring) {
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        fillPsuEntry(window);
        // Pasted texts: a line break or tab would split the results file's line.
        textField(window, QStringLiteral("txtUUTSerialNumber"))->setText("SN\t01\r\n");
        textField(window, QStringLiteral("txtRemark_0"))->setText("FX\n[Evil]\nx=1");
        textField(window, QStringLiteral("cboModel"))
            ->setText("M\x01"
                      "2");
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(menu.SerialNumber(), QStringLiteral("SN01"));
    EXPECT_EQ(menu.Model(), QStringLiteral("M2"));
    EXPECT_EQ(runModel().run.remarks[0], QStringLiteral("FX[Evil]x=1"));
    EXPECT_EQ(resultsValue(QStringLiteral("SerialNumber")), QStringLiteral("SN01"));
    EXPECT_EQ(resultsValue(QStringLiteral("Remark1")), QStringLiteral("FX[Evil]x=1"));
    EXPECT_FALSE(readFile(resultsDir() + QStringLiteral("XQResults.ini")).contains("[Evil]\r\n"));
}

TEST_F(UserEntry, TextsKeepEverythingButControlCharacters) {
    EXPECT_EQ(withoutControlCharacters(QStringLiteral("O'Brien; \"x\" = 1 \u00E4\u20AC")),
              QStringLiteral("O'Brien; \"x\" = 1 \u00E4\u20AC"));
    EXPECT_EQ(withoutControlCharacters(QStringLiteral("a\u0000b\u007F\u0085c")),
              QStringLiteral("abc"));
}

TEST_F(UserEntry, AVeryLongSerialNumberIsKeptWholeAsTheReaderReturnsIt) {
    XQMenu32 menu;
    XQUtility32 utility;
    const QString typed(2000, QLatin1Char('7'));
    ASSERT_TRUE(showUserEntry(menu, [&typed](QWidget* window) {
        fillPsuEntry(window);
        textField(window, QStringLiteral("txtUUTSerialNumber"))->setText(typed);
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(menu.SerialNumber(), typed.left(LongestEntryText));
    EXPECT_EQ(
        utility.ReadINI(true, QStringLiteral("PSU Test Results"), QStringLiteral("SerialNumber")),
        menu.SerialNumber());
}

// ----------------------------------------------------------- cancel and focus

TEST_F(UserEntry, TheFirstEntryCannotBeCancelledLaterOnesCan) {
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        EXPECT_FALSE(isEnabled(window, "cmdCancel"));
        // Neither Escape nor closing the window gets round it.
        QTest::keyClick(window, Qt::Key_Escape);
        window->close();
        EXPECT_TRUE(window->isVisible());
        fillPsuEntry(window);
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    const RunData accepted = runModel().run;

    EXPECT_FALSE(showUserEntry(menu, [](QWidget* window) {
        EXPECT_TRUE(isEnabled(window, "cmdCancel"));
        typeInto(window, QStringLiteral("txtOperatorID"), QStringLiteral("OP02"));
        chooseProduct(window, QStringLiteral("Charger"));
        clickButton(window, QStringLiteral("cmdCancel"));
    }));
    EXPECT_TRUE(runModel().run.entryCancelled);
    EXPECT_EQ(runModel().run.operatorId, accepted.operatorId);
    EXPECT_EQ(runModel().run.product, accepted.product);
    EXPECT_EQ(menu.OperatorID(), QStringLiteral("OP01"));
    // The product was changed before Cancel: its kept remarks went with it.
    EXPECT_EQ(runModel().run.remarks, (std::array<QString, 4>{}));

    // Escape counts as Cancel once Cancel can be pressed.
    EXPECT_FALSE(
        showUserEntry(menu, [](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); }));
}

TEST_F(UserEntry, FocusOpensOnTheOperatorOrTwoFieldsFurtherWhenTheOperatorIsKnown) {
    {
        auto dialog = openEntry();
        EXPECT_EQ(focusedName(dialog.get()), QStringLiteral("txtOperatorID"));
    }
    runModel().run.operatorId = QStringLiteral("OP01");
    auto dialog = openEntry(QStringLiteral("SN-1"));
    EXPECT_EQ(focusedName(dialog.get()), QStringLiteral("txtUUTSerialNumber"));
}

TEST_F(UserEntry, EnterMovesToTheNextFieldWhichSelectsItsText) {
    auto dialog = openEntry(QStringLiteral("SN-0001"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    QComboBox* testIds = listBox(dialog.get(), "cboTestID");
    const int items = testIds->count();
    QLineEdit* operatorId = textField(dialog.get(), QStringLiteral("txtOperatorID"));
    operatorId->setFocus();
    QTest::keyClick(operatorId, Qt::Key_Return);
    EXPECT_EQ(focusedName(dialog.get()), QStringLiteral("cboTestID"));
    QTest::keyClicks(testIds->lineEdit(), QStringLiteral("Burn-in"));
    QTest::keyClick(testIds->lineEdit(), Qt::Key_Enter);
    EXPECT_EQ(focusedName(dialog.get()), QStringLiteral("txtUUTSerialNumber"));
    EXPECT_EQ(testIds->count(), items); // Enter adds nothing to the list
    QLineEdit* serial = textField(dialog.get(), QStringLiteral("txtUUTSerialNumber"));
    EXPECT_TRUE(QTest::qWaitFor(
        [serial] { return serial->selectedText() == QStringLiteral("SN-0001"); }, 2000));
    QTest::keyClicks(serial, QStringLiteral("SN-0002"));
    EXPECT_EQ(serial->text(), QStringLiteral("SN-0002"));
    EXPECT_TRUE(dialog->isVisible()); // Enter never pressed OK
    EXPECT_TRUE(recorder->messages.empty());
}

// An operator who moves through the fields with Enter reaches OK and presses
// it with Enter too.
TEST_F(UserEntry, EnterOnTheFocusedOkButtonPressesIt) {
    XQMenu32 menu;
    EXPECT_TRUE(showUserEntry(menu, [](QWidget* window) {
        fillPsuEntry(window);
        auto* ok = childNamed<QPushButton>(window, QStringLiteral("cmdOK"));
        ASSERT_NE(ok, nullptr);
        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
    }));
    EXPECT_EQ(menu.SerialNumber(), QStringLiteral("SN-0001"));
}

TEST_F(UserEntry, ARefusedOkPutsTheFocusIntoTheFieldInTheModalWindow) {
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        fillPsuEntry(window);
        blank(window, "txtRemark_0");
        clickButton(window, QStringLiteral("cmdOK"));
        EXPECT_EQ(focusedName(window), QStringLiteral("txtRemark_0"));
        EXPECT_TRUE(window->isVisible());
        QTest::keyClicks(window->focusWidget(), QStringLiteral("FX-5"));
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral("Please enter the Fixture!")});
    EXPECT_EQ(runModel().run.remarks[0], QStringLiteral("FX-5"));
}

// ------------------------------------------------------- prefill and snapshot

TEST_F(UserEntry, ThePreviousEntryPrefillsTheNextAndEachObjectItsOwnSerialNumber) {
    XQMenu32 first;
    acceptFirstEntry(first, QStringLiteral("SN-A"));
    XQMenu32 second;
    ASSERT_TRUE(showUserEntry(second, [](QWidget* window) {
        EXPECT_EQ(listBox(window, "cboTestProduct")->currentText(), QStringLiteral("PSU"));
        EXPECT_EQ(textField(window, QStringLiteral("txtOperatorID"))->text(),
                  QStringLiteral("OP01"));
        EXPECT_EQ(textField(window, QStringLiteral("txtUUTSerialNumber"))->text(), QString());
        EXPECT_EQ(textField(window, QStringLiteral("txtWorkOrderNumber"))->text(),
                  QStringLiteral("WO-77"));
        EXPECT_EQ(listBox(window, "cboModel")->currentText(), QStringLiteral("M2"));
        EXPECT_EQ(listBox(window, "cboRevision")->currentText(), QStringLiteral("B"));
        EXPECT_EQ(textField(window, QStringLiteral("txtRemark_1"))->text(), QStringLiteral("CB-9"));
        typeInto(window, QStringLiteral("txtUUTSerialNumber"), QStringLiteral("SN-B"));
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(second.SerialNumber(), QStringLiteral("SN-B"));
    EXPECT_EQ(first.SerialNumber(), QStringLiteral("SN-A")); // its own snapshot
    EXPECT_FALSE(showUserEntry(first, [](QWidget* window) {
        EXPECT_EQ(textField(window, QStringLiteral("txtUUTSerialNumber"))->text(),
                  QStringLiteral("SN-A"));
        clickButton(window, QStringLiteral("cmdCancel"));
    }));
}

TEST_F(UserEntry, RunPropertiesAreEmptyBeforeTheFirstEntry) {
    XQMenu32 menu;
    for (const QString& value : {menu.OperatorID(), menu.SerialNumber(), menu.WorkOrderLotNumber(),
                                 menu.TestID(), menu.Model(), menu.Revision(), menu.TestProduct()})
        EXPECT_TRUE(value.isEmpty());
    EXPECT_TRUE(menu.StartTime().isNull());
}

TEST_F(UserEntry, SerialNumberLetChangesTheResultsFileAtOnce) {
    XQMenu32 menu;
    acceptFirstEntry(menu);
    menu.setSerialNumber(QStringLiteral("SN-\r\n0099"));
    EXPECT_EQ(menu.SerialNumber(), QStringLiteral("SN-0099"));
    EXPECT_EQ(runModel().run.serialNumber, QStringLiteral("SN-0099"));
    EXPECT_EQ(resultsValue(QStringLiteral("SerialNumber")), QStringLiteral("SN-0099"));
}

TEST_F(UserEntry, SerialNumberLetWithoutProductWritesNoResultsFile) {
    XQMenu32 menu;
    menu.setSerialNumber(QStringLiteral("SN-1"));
    EXPECT_EQ(menu.SerialNumber(), QStringLiteral("SN-1"));
    EXPECT_FALSE(QFile::exists(resultsDir() + QStringLiteral("XQResults.ini")));
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(UserEntry, AteIdIsReadOnEveryCall) {
    XQMenu32 menu;
    EXPECT_EQ(menu.ATEID(), QStringLiteral("ATE-07"));
    XQUtility32 utility;
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("ID"),
                     QStringLiteral("ATE-08"));
    EXPECT_EQ(menu.ATEID(), QStringLiteral("ATE-08"));
    EXPECT_EQ(runModel().run.ateId, QStringLiteral("ATE-08"));
}

// ------------------------------------------------------- integrity on entry

struct PromptAnswer {
    QString typed; // nothing typed: the prompt's text stays
    bool ok = true;
};

class GuardedEntry : public UserEntry {
protected:
    void SetUp() override {
        UserEntry::SetUp();
        utility.setAdminPassword(QStringLiteral("Op3nSesame"));
    }

    // Answers the coming password prompts in order and records their messages.
    void answerPrompts(std::deque<PromptAnswer> answers) {
        script = std::move(answers);
        armNextPrompt();
    }

    void armNextPrompt() {
        if (script.empty())
            return;
        whenModalShows([this](QWidget* prompt) {
            if (prompt->objectName() != QStringLiteral("frmGeneralInfoBox")) {
                ADD_FAILURE() << "expected a password prompt";
                return;
            }
            prompts << prompt->findChild<QObject*>(QStringLiteral("txtMessage"))
                           ->property("plainText")
                           .toString();
            const PromptAnswer answer = script.front();
            script.pop_front();
            auto* input = childNamed<QLineEdit>(prompt, QStringLiteral("txtInput"));
            input->setFocus();
            input->selectAll();
            if (!answer.typed.isEmpty())
                QTest::keyClicks(input, answer.typed);
            armNextPrompt();
            clickButton(prompt, answer.ok ? QStringLiteral("cmdButtonSet_2")
                                          : QStringLiteral("cmdButtonSet_0"));
        });
    }

    XQUtility32 utility;
    std::deque<PromptAnswer> script;
    QStringList prompts;
};

TEST_F(GuardedEntry, TheFirstEntryAsksForChangedFilesAndARefusalKeepsTheWindowOpen) {
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [this](QWidget* window) {
        fillPsuEntry(window);
        answerPrompts({{QStringLiteral("Op3nSesame"), false}}); // Cancel
        clickButton(window, QStringLiteral("cmdOK"));
        EXPECT_EQ(recorder->texts(), QStringList{Refused});
        EXPECT_EQ(recorder->messages.back().icon, MessageIcon::Critical);
        EXPECT_EQ(focusedName(window), QStringLiteral("txtOperatorID"));
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(runModel().run.product.isEmpty());

        // PRODUCTS.INI: the password typed for ATE.INI is still there.
        answerPrompts({{QStringLiteral("Op3nSesame")}, {}});
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    ASSERT_EQ(prompts.size(), 3);
    EXPECT_TRUE(prompts[0].startsWith(PasswordPromptAte));
    EXPECT_TRUE(prompts[1].startsWith(PasswordPromptAte));
    EXPECT_TRUE(prompts[2].startsWith(QStringLiteral("Warning! Products.INI has changed.")));
    EXPECT_EQ(utility.ReadINI(true, QStringLiteral("History"), QStringLiteral("XQCheckSum")),
              XQSecurity32().checksum(readFile(iniDir() + QStringLiteral("ATE.INI"))));
}

TEST_F(GuardedEntry, OnlyAProductChangeRunsTheCheck) {
    XQMenu32 menu;
    ASSERT_TRUE(showUserEntry(menu, [this](QWidget* window) {
        fillPsuEntry(window);
        answerPrompts({{QStringLiteral("Op3nSesame")}, {}});
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    ASSERT_EQ(prompts.size(), 2);

    // An edit of ATE.INI is not looked at while the product stays...
    utility.WriteINI(true, QStringLiteral("ATE Configuration"), QStringLiteral("TestIDDefault"),
                     QStringLiteral("Rework"));
    ASSERT_TRUE(showUserEntry(menu, [](QWidget* window) {
        typeInto(window, QStringLiteral("txtUUTSerialNumber"), QStringLiteral("SN-0002"));
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    EXPECT_EQ(prompts.size(), 2);

    // ...and is asked for with the next product.
    ASSERT_TRUE(showUserEntry(menu, [this](QWidget* window) {
        chooseProduct(window, QStringLiteral("Charger"));
        typeInto(window, QStringLiteral("txtUUTSerialNumber"), QStringLiteral("C-1"));
        answerPrompts({{QStringLiteral("Op3nSesame")}});
        clickButton(window, QStringLiteral("cmdOK"));
    }));
    ASSERT_EQ(prompts.size(), 3);
    EXPECT_TRUE(prompts[2].startsWith(PasswordPromptAte));
    EXPECT_EQ(menu.TestProduct(), QStringLiteral("Charger"));
}

// ------------------------------------------------------------ customer logo

class Logo : public UserEntry {
protected:
    void SetUp() override {
        UserEntry::SetUp();
        QDir(root()).mkpath(QStringLiteral("app/folder.png"));
        library().applicationDirectory = root() + QStringLiteral("app/");
        QImage red(40, 20, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(root() + QStringLiteral("app/logo.png")));
        ASSERT_TRUE(red.save(root() + QStringLiteral("direct.png")));
        writeFile(root() + QStringLiteral("app/notapicture.png"), "plain text, not a picture");
    }

    QColor logoCentre(const QString& configured) {
        QByteArray ate = AteIni;
        ate.replace("[History]", "CustomerLogo= " + configured.toUtf8() + " \r\n[History]");
        writeIni(QStringLiteral("ATE.INI"), ate);
        auto dialog = openEntry();
        auto* logo = childNamed<QLabel>(dialog.get(), QStringLiteral("imgLogo"));
        const QImage shown = logo->pixmap().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }
};

TEST_F(Logo, IsLoadedFromItsNameOrTheApplicationFolder) {
    EXPECT_EQ(logoCentre(root() + QStringLiteral("direct.png")), QColor(Qt::red));
    EXPECT_EQ(logoCentre(QStringLiteral("logo.png")), QColor(Qt::red)); // found in AppPath
    EXPECT_EQ(customerLogoFile(QStringLiteral("logo.png")),
              root() + QStringLiteral("app/logo.png"));
    EXPECT_EQ(customerLogoFile(QStringLiteral("C:\\pictures\\logo.png")),
              root() + QStringLiteral("app/logo.png"));
}

TEST_F(Logo, APlaceholderStandsInWhenThereIsNoPicture) {
    for (const QString& configured : {QStringLiteral("missing.png"), QStringLiteral("folder.png"),
                                      QStringLiteral("notapicture.png"), QString()}) {
        const QColor centre = logoCentre(configured);
        EXPECT_NE(centre, QColor(Qt::red)) << configured.toStdString();
        EXPECT_TRUE(centre.isValid()) << configured.toStdString();
    }
    EXPECT_TRUE(customerLogoFile(QStringLiteral("folder.png")).isEmpty());
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(UserEntry, TheSampleStationShipsTheCustomerLogoItNames) {
    const QString sample = QStringLiteral(XQ_SAMPLE_STATION_DIR "/");
    for (const char* name : {"ATE.INI", "PRODUCTS.INI"})
        writeIni(QLatin1String(name), readFile(sample + QLatin1String(name)));
    library().applicationDirectory = sample;
    const QString configured = XQUtility32().ReadINI(true, QStringLiteral("ATE Configuration"),
                                                     QStringLiteral("CustomerLogo"));
    ASSERT_EQ(configured, QStringLiteral("customer-logo.png"));
    const QImage file(customerLogoFile(configured));
    ASSERT_FALSE(file.isNull());

    auto dialog = openEntry();
    const QImage shown =
        childNamed<QLabel>(dialog.get(), QStringLiteral("imgLogo"))->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    // The picture itself, not the placeholder that stands in for a missing one.
    EXPECT_EQ(shown.size(), file.size().scaled(shown.size(), Qt::KeepAspectRatio));
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2),
              file.pixelColor(file.width() / 2, file.height() / 2));
}

// ------------------------------------------------------------------ ShowMenu

TEST_F(UserEntry, ShowMenuWithoutProductShowsTheUserEntryFirst) {
    XQMenu32 menu;
    runSession().userEntryOpened = true; // not the first entry: it can be cancelled
    whenModalShows([](QWidget* window) {
        EXPECT_EQ(window->objectName(), QStringLiteral("frmUserEntry"));
        clickButton(window, QStringLiteral("cmdCancel"));
    });
    menu.ShowMenu();
    EXPECT_TRUE(runSession().groupWindows.isEmpty());

    whenModalShows([](QWidget* window) {
        fillPsuEntry(window);
        clickButton(window, QStringLiteral("cmdOK"));
    });
    menu.ShowMenu();
    ASSERT_EQ(runSession().groupWindows.size(), 1);
    EXPECT_EQ(runSession().groupWindows[0]->groupName(), QStringLiteral("Power"));
    EXPECT_EQ(menu.TestProduct(), QStringLiteral("PSU"));
}

TEST_F(UserEntry, AnAcceptedEntryClearsTheShownResults) {
    XQMenu32 menu;
    acceptFirstEntry(menu);
    menu.ShowMenu();
    ASSERT_EQ(runSession().groupWindows.size(), 1);
    menu.SendData(QStringLiteral("Power"), QStringLiteral("Vout"), 1.5);
    ASSERT_FALSE(runModel().group(0).rows[0].value.isEmpty());
    ASSERT_EQ(resultsValue(QStringLiteral("1")), QStringLiteral("1.5|Pass"));

    acceptFirstEntry(menu, QStringLiteral("SN-0002"));
    EXPECT_TRUE(runModel().group(0).rows[0].value.isEmpty());
    EXPECT_EQ(resultsValue(QStringLiteral("1")), QStringLiteral("----|----"));
}

} // namespace
