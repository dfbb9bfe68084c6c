// The InfoBox member of XQUtility32: the library's own dialog, always shown
// as a real window.

#include <XQTestDev/XQUtility32.h>

#include "frame/Placement.h"
#include "frame/Unattended.h"
#include "ui/InfoBoxDialog.h"

#include <XQTestDev/Messages.h>

#include <QCoreApplication>
#include <QPointer>

#include <optional>

namespace XQTestDev {

namespace {

// Shows the dialog and leaves it to itself: it goes away once a button is
// pressed, or when the object that opened it is released.
void showWithoutWaiting(InfoBoxDialog* dialog, QObject* owner) {
    QObject::connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    QObject::connect(owner, &QObject::destroyed, dialog, [dialog] {
        // At process end the windows go with the application.
        if (!QCoreApplication::closingDown())
            dialog->close();
    });
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

// With nobody to ask, the answer that commits to nothing: Cancel, else the
// set's "no" (Abort, No), else its only button.
int unattendedAnswer(vbMyMsgBoxStyle buttons) {
    switch (buttons) {
    case vbOKOnly:
        return ResultOK;
    case vbAbortRetryIgnore:
        return ResultAbort;
    case vbYesNo:
        return ResultNo;
    case vbOKCancel:
    case vbYesNoCancel:
    case vbRetryCancel:
        return ResultCancel;
    }
    return ResultCancel;
}

QString buttonName(int code) {
    static const char* const names[] = {"none",  "OK",     "Cancel", "Abort",
                                        "Retry", "Ignore", "Yes",    "No"};
    return QLatin1String(code >= 0 && code <= ResultNo ? names[code] : "none");
}

PromptRequest promptOf(const InfoBoxRequest& request) {
    PromptRequest prompt;
    prompt.text = request.pictureOrMessage;
    prompt.title = QCoreApplication::applicationName();
    prompt.buttons = static_cast<vbMyMsgBoxStyle>(request.buttons);
    prompt.asksInput = request.showInputBox;
    prompt.input = request.inputText;
    prompt.passwordChar = request.passwordChar;
    return prompt;
}

// The answer without the window: from the prompt handler, or, when nobody
// can see the window or the waits are interrupted, the unattended answer.
std::optional<PromptAnswer> answerWithoutWindow(const InfoBoxRequest& request) {
    if (promptHandler())
        return promptHandler()(promptOf(request));
    if (!waitsInterrupted() && !runsUnattended())
        return std::nullopt;
    PromptAnswer answer;
    answer.button = unattendedAnswer(static_cast<vbMyMsgBoxStyle>(request.buttons));
    answer.typed = request.inputText;
    sayAnsweredUnattended(QStringLiteral("InfoBox"), request.pictureOrMessage,
                          buttonName(answer.button));
    return answer;
}

} // namespace

int XQUtility32::InfoBox(const QString& PicturePathOrMessage, vbMyMsgBoxStyle Buttons,
                         bool ShowInputBox, QVariant* MsgReturn, bool LockInputBox,
                         Positions Position, bool NoModal, const QString& PasswordChar) {
    InfoBoxRequest request;
    request.pictureOrMessage = PicturePathOrMessage;
    request.buttons = Buttons;
    request.showInputBox = ShowInputBox;
    request.inputText = (ShowInputBox && MsgReturn) ? MsgReturn->toString() : QString();
    request.lockInputBox = LockInputBox;
    request.passwordChar = PasswordChar;

    // Without an input box there is nothing to wait for but the answer, which
    // the caller then does not want.
    const bool waits = !(NoModal && !ShowInputBox);
    if (waits) {
        if (const std::optional<PromptAnswer> answer = answerWithoutWindow(request)) {
            if (MsgReturn)
                *MsgReturn = answer->typed;
            return answer->button;
        }
    }

    QPointer<InfoBoxDialog> dialog = new InfoBoxDialog(request);
    placeInfoBoxWindow(*dialog, Position);
    if (!waits) {
        showWithoutWaiting(dialog, this);
        return 0;
    }

    armInterruptions();
    dialog->exec();
    int result = 0;
    QString typed;
    if (dialog) {
        result = dialog->resultCode();
        typed = dialog->inputText();
        delete dialog.data();
    }
    if (waitsInterrupted()) {
        result = unattendedAnswer(Buttons);
        sayAnsweredUnattended(QStringLiteral("InfoBox"), PicturePathOrMessage, buttonName(result));
    }
    if (MsgReturn)
        *MsgReturn = typed;
    return result;
}

} // namespace XQTestDev
