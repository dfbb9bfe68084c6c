#include "frame/ScreenUnits.h"
#include "support/ModalDriver.h"
#include "support/StationFixture.h"
#include "ui/InfoBoxDialog.h"

#include <XQTestDev/XQUtility32.h>

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <array>
#include <optional>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString DialogName = QStringLiteral("frmGeneralInfoBox");

QString buttonName(int index) {
    return QStringLiteral("cmdButtonSet_%1").arg(index);
}

QPushButton* button(QWidget* dialog, int index) {
    return childNamed<QPushButton>(dialog, buttonName(index));
}

// Lets the events already queued (focus moves, layout) run, without waiting.
void runQueuedEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// The dialog is on screen and has the keyboard: queued focus work has run.
void settle(QWidget* dialog) {
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
    runQueuedEvents();
}

// Waits until the focus has moved to `widget` (focus changes are queued).
bool focusMovesTo(QWidget* widget) {
    return QTest::qWaitFor([widget] { return QApplication::focusWidget() == widget; }, 2000);
}

// Waits until a deleted-later widget is gone.
bool goneSoon(const QPointer<QWidget>& widget) {
    for (int tries = 0; tries < 200 && widget; ++tries) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(5);
    }
    return widget.isNull();
}

class InfoBoxTest : public StationTest {
protected:
    XQUtility32 utility;
};

// ---- Button sets -------------------------------------------------------

struct ButtonSetCase {
    int buttons;
    std::array<const char*, 3> captions; // index = control-array index; "" = hidden
    int focus;
    std::array<int, 3> codes; // the result of pressing each button
};

void PrintTo(const ButtonSetCase& c, std::ostream* os) {
    *os << "Buttons=" << c.buttons;
}

class InfoBoxButtonSets : public InfoBoxTest,
                          public ::testing::WithParamInterface<ButtonSetCase> {};

TEST_P(InfoBoxButtonSets, ShowCaptionsAndFocusAndAnswerByCaption) {
    const ButtonSetCase& c = GetParam();
    for (int pressed = 0; pressed < 3; ++pressed) {
        if (QString::fromLatin1(c.captions[static_cast<size_t>(pressed)]).isEmpty())
            continue;
        SCOPED_TRACE(pressed);
        whenModalShows([&](QWidget* dialog) {
            EXPECT_EQ(dialog->objectName(), DialogName);
            settle(dialog);
            for (int index = 0; index < 3; ++index) {
                const QString caption = QString::fromLatin1(c.captions[static_cast<size_t>(index)]);
                QPushButton* b = button(dialog, index);
                ASSERT_NE(b, nullptr);
                EXPECT_EQ(b->isVisible(), !caption.isEmpty()) << index;
                if (!caption.isEmpty()) {
                    EXPECT_EQ(b->text(), caption) << index;
                }
            }
            EXPECT_EQ(QApplication::focusWidget(), button(dialog, c.focus));
            clickButton(dialog, buttonName(pressed));
        });
        QVariant typed(QStringLiteral("untouched"));
        const int code = utility.InfoBox(QStringLiteral("Message"),
                                         static_cast<vbMyMsgBoxStyle>(c.buttons), false, &typed);
        EXPECT_EQ(code, c.codes[static_cast<size_t>(pressed)]);
        // Without an input box the typed text is empty.
        EXPECT_EQ(typed.toString(), QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    EverySet, InfoBoxButtonSets,
    ::testing::Values(ButtonSetCase{vbOKOnly, {"", "OK", ""}, 1, {0, 1, 0}},
                      ButtonSetCase{vbOKCancel, {"Cancel", "", "OK"}, 2, {2, 0, 1}},
                      ButtonSetCase{vbAbortRetryIgnore, {"Ignore", "Retry", "Abort"}, 1, {5, 4, 3}},
                      ButtonSetCase{vbYesNoCancel, {"Cancel", "No", "Yes"}, 2, {2, 7, 6}},
                      ButtonSetCase{vbYesNo, {"No", "", "Yes"}, 2, {7, 0, 6}},
                      ButtonSetCase{vbRetryCancel, {"Cancel", "", "Retry"}, 2, {2, 0, 4}},
                      // Outside 0..5 the buttons stay as designed: one OK.
                      ButtonSetCase{6, {"", "OK", ""}, 1, {0, 1, 0}},
                      ButtonSetCase{-1, {"", "OK", ""}, 1, {0, 1, 0}}));

TEST_F(InfoBoxTest, MessageOnlyShowsTheTextAndOneOK) {
    whenModalShows([](QWidget* dialog) {
        auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"));
        ASSERT_NE(message, nullptr);
        EXPECT_TRUE(message->isVisible());
        EXPECT_TRUE(message->isReadOnly());
        EXPECT_EQ(message->toPlainText(), QStringLiteral("\n\nLine one\nLine two"));
        EXPECT_FALSE(childNamed<QLabel>(dialog, QStringLiteral("imgBox"))->isVisible());
        EXPECT_FALSE(childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"))->isVisible());
        EXPECT_FALSE(childNamed<QFrame>(dialog, QStringLiteral("shpFrameInput"))->isVisible());
        EXPECT_TRUE(childNamed<QFrame>(dialog, QStringLiteral("shpFrame"))->isVisible());
        EXPECT_TRUE(childNamed<QFrame>(dialog, QStringLiteral("shpFrameMain"))->isVisible());
        clickButton(dialog, buttonName(1));
    });
    EXPECT_EQ(utility.InfoBox(QStringLiteral("\n\nLine one\nLine two")), 1);
}

TEST_F(InfoBoxTest, EscapeDoesNotAnswerTheDialog) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        runQueuedEvents();
        EXPECT_TRUE(dialog->isVisible());
        clickButton(dialog, buttonName(0));
    });
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Sure?"), vbYesNo), 7);
}

TEST(InfoBoxDialogDirect, ACaptionOutsideTheTableKeepsTheResult) {
    InfoBoxRequest request;
    request.pictureOrMessage = QStringLiteral("Message");
    InfoBoxDialog dialog(request);
    QPushButton* only = button(&dialog, 1);
    only->setText(QStringLiteral("Later"));
    only->click();
    EXPECT_EQ(dialog.resultCode(), 0);
}

// ---- Input box -----------------------------------------------------------

TEST_F(InfoBoxTest, PasswordCharMasksAndTypingReplacesTheSelectedText) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        ASSERT_NE(input, nullptr);
        EXPECT_TRUE(input->isVisible());
        EXPECT_TRUE(childNamed<QFrame>(dialog, QStringLiteral("shpFrameInput"))->isVisible());
        EXPECT_EQ(input->displayText(), QStringLiteral("***"));
        EXPECT_EQ(QApplication::focusWidget(), input);
        EXPECT_EQ(input->selectedText(), QStringLiteral("abc"));
        QTest::keyClicks(input, QStringLiteral("secret"));
        EXPECT_EQ(input->displayText(), QStringLiteral("******"));
        clickButton(dialog, buttonName(2)); // OK
    });
    QVariant msgReturn(QStringLiteral("abc"));
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Password?"), vbOKCancel, true, &msgReturn, false,
                              Center, false, QStringLiteral("*")),
              1);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("secret"));
}

TEST_F(InfoBoxTest, ALongerPasswordCharMasksWithItsFirstCharacter) {
    whenModalShows([](QWidget* dialog) {
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        EXPECT_EQ(input->echoMode(), QLineEdit::Password);
        EXPECT_EQ(input->displayText(), QStringLiteral("####"));
        clickButton(dialog, buttonName(0)); // Cancel
    });
    QVariant msgReturn(QStringLiteral("1234"));
    EXPECT_EQ(utility.InfoBox(QStringLiteral("PIN?"), vbOKCancel, true, &msgReturn, false, Center,
                              false, QStringLiteral("#+-")),
              2);
    // Cancel still hands back what the box held.
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("1234"));
}

TEST_F(InfoBoxTest, WithoutPasswordCharTheTextShowsAsTyped) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        EXPECT_EQ(input->echoMode(), QLineEdit::Normal);
        QTest::keyClicks(input, QStringLiteral("SN-0042"));
        EXPECT_EQ(input->displayText(), QStringLiteral("SN-0042"));
        clickButton(dialog, buttonName(1));
    });
    QVariant msgReturn;
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Serial?"), vbOKOnly, true, &msgReturn), 1);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("SN-0042"));
}

TEST_F(InfoBoxTest, LockedInputBoxIsReadOnlyAndOutOfTheTabOrder) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        EXPECT_TRUE(input->isReadOnly());
        EXPECT_FALSE(input->focusPolicy() & Qt::TabFocus);
        // The focus stays with the set's focus button.
        EXPECT_EQ(QApplication::focusWidget(), button(dialog, 2));
        // Tab from the last button wraps past the message and the locked box.
        button(dialog, 0)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button(dialog, 0), Qt::Key_Tab);
        EXPECT_TRUE(focusMovesTo(button(dialog, 2)));
        QTest::keyClicks(input, QStringLiteral("xyz"));
        EXPECT_EQ(input->text(), QStringLiteral("fixed"));
        clickButton(dialog, buttonName(2));
    });
    QVariant msgReturn(QStringLiteral("fixed"));
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Shown only"), vbOKCancel, true, &msgReturn, true), 1);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("fixed"));
}

// A barcode scanner types the serial number and ends it with Enter: that one
// Enter answers with the button that had the opening focus.
TEST_F(InfoBoxTest, OneEnterInTheInputBoxAnswersAsAScannerSendsIt) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        QTest::keyClicks(input, QStringLiteral("TC2K-2026-12-000123456789"));
        QTest::keyClick(input, Qt::Key_Return);
    });
    QVariant msgReturn;
    EXPECT_EQ(
        utility.InfoBox(QStringLiteral("Scan the serial number"), vbOKCancel, true, &msgReturn), 1);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("TC2K-2026-12-000123456789"));
}

TEST_F(InfoBoxTest, EnterOnAButtonPressesThatButton) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        QTest::keyClicks(input, QStringLiteral("OP01"));
        button(dialog, 0)->setFocus(Qt::TabFocusReason); // Cancel
        ASSERT_TRUE(focusMovesTo(button(dialog, 0)));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    QVariant msgReturn;
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Operator?"), vbOKCancel, true, &msgReturn), 2);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("OP01"));
}

struct EscapeCase {
    const char* name;
    int buttons;
    bool withInput;
    int answer;
};

class EscapeKey : public InfoBoxTest, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapeKey, PressesCancelWhereThereIsOne) {
    const EscapeCase& c = GetParam();
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    QVariant msgReturn;
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Go on?"), static_cast<vbMyMsgBoxStyle>(c.buttons),
                              c.withInput, &msgReturn),
              c.answer);
}

INSTANTIATE_TEST_SUITE_P(Table, EscapeKey,
                         ::testing::Values(EscapeCase{"OKCancel", vbOKCancel, false, 2},
                                           EscapeCase{"OKCancelInput", vbOKCancel, true, 2},
                                           EscapeCase{"YesNoCancel", vbYesNoCancel, false, 2},
                                           EscapeCase{"RetryCancel", vbRetryCancel, false, 2}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(InfoBoxTest, FocusInTheInputBoxSelectsAll) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        button(dialog, 2)->setFocus();
        ASSERT_TRUE(focusMovesTo(button(dialog, 2)));
        input->deselect();
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(3, input->height() / 2));
        EXPECT_TRUE(focusMovesTo(input));
        // The selection follows the focus by a queued call.
        EXPECT_TRUE(QTest::qWaitFor(
            [input] { return input->selectedText() == QStringLiteral("Board 7"); }, 2000))
            << input->selectedText().toStdString();
        clickButton(dialog, buttonName(0));
    });
    QVariant msgReturn(QStringLiteral("Board 7"));
    utility.InfoBox(QStringLiteral("Board?"), vbOKCancel, true, &msgReturn);
}

TEST_F(InfoBoxTest, TheMessageNeverKeepsTheFocus) {
    whenModalShows([](QWidget* dialog) {
        settle(dialog);
        auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"));
        auto* input = childNamed<QLineEdit>(dialog, QStringLiteral("txtInput"));
        message->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(focusMovesTo(input));
        // Coming backwards it passes the focus on backwards.
        QTest::keyClick(input, Qt::Key_Backtab);
        EXPECT_TRUE(focusMovesTo(button(dialog, 0)));
        QTest::mouseClick(message->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        runQueuedEvents();
        EXPECT_NE(QApplication::focusWidget(), message);
        clickButton(dialog, buttonName(0));
    });
    QVariant msgReturn;
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Message"), vbOKCancel, true, &msgReturn), 2);
}

// ---- Heights ------------------------------------------------------------------

struct HeightCase {
    bool showInputBox;
    int pictureTwips;
    int frameTwips;
};

class InfoBoxHeights : public InfoBoxTest, public ::testing::WithParamInterface<HeightCase> {};

TEST_P(InfoBoxHeights, PictureAreaMessageAndFrameFollowTheInputBox) {
    const HeightCase c = GetParam();
    int dialogHeight = -1;
    whenModalShows([&](QWidget* dialog) {
        EXPECT_EQ(childNamed<QLabel>(dialog, QStringLiteral("imgBox"))->height(),
                  toPixelsY(c.pictureTwips));
        EXPECT_EQ(childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"))->height(),
                  toPixelsY(c.pictureTwips));
        EXPECT_EQ(childNamed<QFrame>(dialog, QStringLiteral("shpFrame"))->height(),
                  toPixelsY(c.frameTwips));
        // Everything fits inside the dialog, the buttons below the frames.
        const QRect frame = childNamed<QFrame>(dialog, QStringLiteral("shpFrame"))->geometry();
        const QRect inputFrame =
            childNamed<QFrame>(dialog, QStringLiteral("shpFrameInput"))->geometry();
        const QRect ok = button(dialog, 1)->geometry();
        EXPECT_GT(ok.top(), frame.bottom());
        if (c.showInputBox) {
            EXPECT_GT(inputFrame.top(), frame.bottom());
            EXPECT_GT(ok.top(), inputFrame.bottom());
        }
        EXPECT_TRUE(dialog->rect().contains(ok));
        dialogHeight = dialog->height();
        clickButton(dialog, buttonName(1));
    });
    QVariant msgReturn;
    utility.InfoBox(QStringLiteral("Message"), vbOKOnly, c.showInputBox, &msgReturn);
    EXPECT_GT(dialogHeight, toPixelsY(c.frameTwips));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutInput, InfoBoxHeights,
                         ::testing::Values(HeightCase{true, 1630, 1755},
                                           HeightCase{false, 2115, 2235}));

// ---- Messages of several lines ----------------------------------------------------

// The admin password prompt, first and after a wrong password: with the
// input box the message area is short, and the note after a wrong password
// brings four line breaks. The whole message shows without a scroll bar.
struct PromptCase {
    const char* name;
    QString message;
    bool keepsDesignedSize;
};

class InfoBoxPrompt : public InfoBoxTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(InfoBoxPrompt, ShowsEveryLineWithoutAScrollBar) {
    const PromptCase& c = GetParam();
    whenModalShows([&](QWidget* dialog) {
        auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"));
        ASSERT_NE(message, nullptr);
        runQueuedEvents(); // layout of the shown dialog
        const QString folder = qEnvironmentVariable("XQ_TEST_PICTURES", root());
        EXPECT_TRUE(dialog->grab().save(folder + QStringLiteral("/prompt-%1.png").arg(c.name)));
        EXPECT_EQ(message->toPlainText(), c.message);
        EXPECT_FALSE(message->verticalScrollBar()->isVisible());
        EXPECT_LE(message->document()->size().height(), message->viewport()->height());
        EXPECT_EQ(message->font().pointSize() == 11, c.keepsDesignedSize)
            << message->font().pointSize();
        EXPECT_GE(message->font().pointSize(), 8);
        clickButton(dialog, buttonName(0));
    });
    QVariant typed = QStringLiteral("guess1");
    EXPECT_EQ(utility.InfoBox(c.message, vbOKCancel, true, &typed, false, Center, false,
                              QStringLiteral("*")),
              2);
}

const QString AskForPassword =
    QStringLiteral("Warning! ATE.INI has changed.\nPlease enter admin password for acceptation.");

INSTANTIATE_TEST_SUITE_P(
    AdminPassword, InfoBoxPrompt,
    ::testing::Values(
        PromptCase{"First", AskForPassword, true},
        PromptCase{"WrongPassword",
                   AskForPassword + QStringLiteral("\n\n\n\nInvalid password! please re-entry ..."),
                   false}),
    [](const ::testing::TestParamInfo<PromptCase>& param) {
        return std::string(param.param.name);
    });

// ---- Picture or message ---------------------------------------------------------

TEST_F(InfoBoxTest, AMessageNamingAPictureFileShowsThePicture) {
    const QString path = root() + QStringLiteral("logo.png");
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path, "PNG"));
    whenModalShows([](QWidget* dialog) {
        auto* picture = childNamed<QLabel>(dialog, QStringLiteral("imgBox"));
        EXPECT_TRUE(picture->isVisible());
        EXPECT_FALSE(childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"))->isVisible());
        EXPECT_EQ(picture->pixmap().size(), QSize(60, 40));
        EXPECT_EQ(picture->pixmap().toImage().pixelColor(10, 10), QColor(Qt::red));
        clickButton(dialog, buttonName(1));
    });
    EXPECT_EQ(utility.InfoBox(path), 1);
}

TEST_F(InfoBoxTest, ALargePictureIsScaledIntoThePictureArea) {
    const QString path = root() + QStringLiteral("big.png");
    QImage image(2000, 500, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path, "PNG"));
    whenModalShows([](QWidget* dialog) {
        auto* picture = childNamed<QLabel>(dialog, QStringLiteral("imgBox"));
        EXPECT_LE(picture->pixmap().width(), picture->width());
        EXPECT_LE(picture->pixmap().height(), picture->height());
        EXPECT_GT(picture->pixmap().width(), 0);
        clickButton(dialog, buttonName(1));
    });
    utility.InfoBox(path);
}

TEST_F(InfoBoxTest, AFileOrFolderThatIsNoPictureIsShownAsText) {
    const QString textFile = root() + QStringLiteral("notes.png");
    writeFile(textFile, "This is not a picture\r\n");
    const QString emptyFile = root() + QStringLiteral("empty.bmp");
    writeFile(emptyFile, QByteArray());
    const QString folder = iniDir();
    for (const QString& path : {textFile, emptyFile, folder}) {
        SCOPED_TRACE(path.toStdString());
        whenModalShows([&](QWidget* dialog) {
            auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"));
            EXPECT_TRUE(message->isVisible());
            EXPECT_FALSE(childNamed<QLabel>(dialog, QStringLiteral("imgBox"))->isVisible());
            EXPECT_EQ(message->toPlainText(), path);
            clickButton(dialog, buttonName(1));
        });
        EXPECT_EQ(utility.InfoBox(path), 1);
    }
}

// ---- Placement ----------------------------------------------------------------------

struct PlacementCase {
    int position;
    char horizontal; // 'L' left edge, 'C' centred, 'R' right edge
    char vertical;   // 'T' top edge, 'C' centred, 'B' flush with the bottom
};

void PrintTo(const PlacementCase& c, std::ostream* os) {
    *os << "Position=" << c.position;
}

class InfoBoxPlacement : public InfoBoxTest, public ::testing::WithParamInterface<PlacementCase> {};

// The offscreen screen measures 12000 x 9000 twips: 800 x 600 pixels at 15.
TEST_P(InfoBoxPlacement, PlacesByPositionWithoutABottomMargin) {
    const PlacementCase c = GetParam();
    std::optional<QRect> placed;
    whenModalShows([&](QWidget* dialog) {
        placed = dialog->geometry();
        clickButton(dialog, buttonName(1));
    });
    utility.InfoBox(QStringLiteral("Where?"), vbOKOnly, false, nullptr, false,
                    static_cast<Positions>(c.position));
    ASSERT_TRUE(placed.has_value());
    const QRect r = *placed;
    switch (c.horizontal) {
    case 'L':
        EXPECT_EQ(r.left(), 0);
        break;
    case 'C':
        EXPECT_LE(std::abs(r.left() + r.width() / 2 - 400), 1) << r.left();
        break;
    case 'R':
        EXPECT_EQ(r.left() + r.width(), 800);
        break;
    }
    switch (c.vertical) {
    case 'T':
        EXPECT_EQ(r.top(), 0);
        break;
    case 'C':
        EXPECT_LE(std::abs(r.top() + r.height() / 2 - 300), 1) << r.top();
        break;
    case 'B':
        EXPECT_EQ(r.top() + r.height(), 600);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPosition, InfoBoxPlacement,
    ::testing::Values(PlacementCase{Center, 'C', 'C'}, PlacementCase{CenterUp, 'C', 'T'},
                      PlacementCase{CenterLeft, 'L', 'C'}, PlacementCase{CenterRight, 'R', 'C'},
                      PlacementCase{LeftUp, 'L', 'T'}, PlacementCase{RightUp, 'R', 'T'},
                      PlacementCase{CenterDown, 'C', 'B'}, PlacementCase{LeftDown, 'L', 'B'},
                      PlacementCase{RightDown, 'R', 'B'}, PlacementCase{0, 'C', 'C'},
                      PlacementCase{10, 'C', 'C'}, PlacementCase{-3, 'C', 'C'}));

// ---- Without waiting ----------------------------------------------------------------------

TEST_F(InfoBoxTest, NoModalReturnsAtOnceAndTheDialogGoesAwayOnItsButton) {
    QVariant msgReturn(QStringLiteral("kept"));
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Working..."), vbOKCancel, false, &msgReturn, false,
                              RightDown, true),
              0);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("kept"));
    QPointer<QWidget> dialog = waitForTopLevel(DialogName);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->geometry().bottomRight(), QPoint(799, 599));
    clickButton(dialog, buttonName(0));
    EXPECT_TRUE(goneSoon(dialog));
}

TEST_F(InfoBoxTest, NoModalIsIgnoredWithAnInputBox) {
    bool shownModal = false;
    whenModalShows([&](QWidget* dialog) {
        shownModal = dialog->objectName() == DialogName;
        settle(dialog);
        QTest::keyClicks(childNamed<QLineEdit>(dialog, QStringLiteral("txtInput")),
                         QStringLiteral("42"));
        clickButton(dialog, buttonName(2));
    });
    QVariant msgReturn;
    EXPECT_EQ(utility.InfoBox(QStringLiteral("Count?"), vbOKCancel, true, &msgReturn, false, Center,
                              true),
              1);
    EXPECT_TRUE(shownModal);
    EXPECT_EQ(msgReturn.toString(), QStringLiteral("42"));
}

TEST_F(InfoBoxTest, ReleasingTheUtilityClosesItsOpenDialog) {
    auto owner = std::make_unique<XQUtility32>();
    EXPECT_EQ(owner->InfoBox(QStringLiteral("Busy"), vbOKOnly, false, nullptr, false, Center, true),
              0);
    QPointer<QWidget> dialog = waitForTopLevel(DialogName);
    ASSERT_NE(dialog, nullptr);
    owner.reset();
    EXPECT_TRUE(goneSoon(dialog));
}

// ---- Dragging ---------------------------------------------------------------------------

TEST_F(InfoBoxTest, DraggingByBackgroundPictureOrMessageMovesTheDialog) {
    const QString path = root() + QStringLiteral("dot.png");
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(path, "PNG"));

    for (const QString& shown : {QStringLiteral("Drag me"), path}) {
        utility.InfoBox(shown, vbOKOnly, false, nullptr, false, Center, true);
        QPointer<QWidget> dialog = waitForTopLevel(DialogName);
        ASSERT_NE(dialog, nullptr);
        QWidget* handles[] = {
            dialog.data(),
            childNamed<QLabel>(dialog, QStringLiteral("imgBox")),
            childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"))->viewport(),
        };
        for (QWidget* handle : handles) {
            if (!handle->isVisible())
                continue;
            SCOPED_TRACE(handle->objectName().toStdString());
            const QPoint start = dialog->pos();
            const QPoint grip(5, 5);
            QTest::mousePress(handle, Qt::LeftButton, {}, grip);
            QTest::mouseMove(handle, grip + QPoint(30, 20));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(30, 20));
            EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));
        }
        // A press on a button does not drag.
        const QPoint start = dialog->pos();
        QPushButton* ok = button(dialog, 1);
        QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(ok, QPoint(40, 25));
        EXPECT_EQ(dialog->pos(), start);
        QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_TRUE(goneSoon(dialog));
    }
}

} // namespace
