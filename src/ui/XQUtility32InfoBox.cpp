// The InfoBox member of XQUtility32: the library's own dialog, always shown
// as a real window.

#include <XQTestDev/XQUtility32.h>

#include "frame/Placement.h"
#include "ui/InfoBoxDialog.h"

#include <QCoreApplication>
#include <QPointer>

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

    QPointer<InfoBoxDialog> dialog = new InfoBoxDialog(request);
    placeInfoBoxWindow(*dialog, Position);

    // Without an input box there is nothing to wait for but the answer, which
    // the caller then does not want.
    if (NoModal && !ShowInputBox) {
        showWithoutWaiting(dialog, this);
        return 0;
    }

    dialog->exec();
    int result = 0;
    QString typed;
    if (dialog) {
        result = dialog->resultCode();
        typed = dialog->inputText();
        delete dialog.data();
    }
    if (MsgReturn)
        *MsgReturn = typed;
    return result;
}

} // namespace XQTestDev
