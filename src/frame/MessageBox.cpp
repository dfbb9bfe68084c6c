#include "frame/MessageBox.h"

#include "frame/Unattended.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace XQTestDev {

namespace {

MessageHandler& installedHandler() {
    static MessageHandler handler;
    return handler;
}

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString iconName(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QStringLiteral("Critical");
    case MessageIcon::Exclamation:
        return QStringLiteral("Exclamation");
    case MessageIcon::Information:
        return QStringLiteral("Information");
    case MessageIcon::Question:
        return QStringLiteral("Question");
    }
    return {};
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    const char* objectName;
    int result;
};

QList<ButtonSpec> buttonsOf(MessageButtons buttons) {
    const ButtonSpec ok{QMessageBox::Ok, "cmdOK", ResultOK};
    const ButtonSpec cancel{QMessageBox::Cancel, "cmdCancel", ResultCancel};
    switch (buttons) {
    case MessageButtons::OK:
        return {ok};
    case MessageButtons::OKCancel:
        return {ok, cancel};
    case MessageButtons::YesNo:
        return {{QMessageBox::Yes, "cmdYes", ResultYes}, {QMessageBox::No, "cmdNo", ResultNo}};
    case MessageButtons::RetryCancel:
        return {{QMessageBox::Retry, "cmdRetry", ResultRetry}, cancel};
    }
    return {ok};
}

int showQtMessageBox(const MessageRequest& request) {
    QMessageBox box(toQtIcon(request.icon), QApplication::applicationName(), request.text);
    box.setObjectName(QStringLiteral("XQMessageBox"));
    const QList<ButtonSpec> specs = buttonsOf(request.buttons);
    for (const ButtonSpec& spec : specs)
        box.addButton(spec.button)->setObjectName(QLatin1String(spec.objectName));
    box.setDefaultButton(specs.first().button);
    const int pressed = box.exec();
    for (const ButtonSpec& spec : specs) {
        if (spec.button == pressed)
            return spec.result;
    }
    // Closed without a button (Escape on a box with Cancel, or the window's
    // close button): the last button is the "no" answer of every set.
    return specs.last().result;
}

} // namespace

void setMessageHandler(MessageHandler handler) {
    installedHandler() = std::move(handler);
}

int showMessage(const QString& text, MessageIcon icon, MessageButtons buttons) {
    const MessageRequest request{text, icon, buttons};
    if (installedHandler())
        return installedHandler()(request);
    // Nobody to press a button: the default one (the first) answers, or on
    // an interruption the "no" answer (the last).
    const bool interrupted = waitsInterrupted();
    if (interrupted || runsUnattended()) {
        const QList<ButtonSpec> specs = buttonsOf(buttons);
        const ButtonSpec& answer = interrupted ? specs.last() : specs.first();
        sayAnsweredUnattended(QStringLiteral("Message box [") + iconName(icon) + QLatin1Char(']'),
                              text, QLatin1String(answer.objectName).mid(3));
        return answer.result;
    }
    armInterruptions();
    return showQtMessageBox(request);
}

} // namespace XQTestDev
