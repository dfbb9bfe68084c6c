#pragma once

#include <XQTestDev/Export.h>

#include <QString>

#include <functional>

namespace XQTestDev {

// Every message the library shows in a modal message box goes through one
// place. A station program that automates its station, and every test,
// installs a handler to see the texts and answer them.
enum class MessageIcon { Critical, Exclamation, Information, Question };
enum class MessageButtons { OK, OKCancel, YesNo, RetryCancel };

struct MessageRequest {
    QString text;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::OK;
};

// Result codes of the pressed button, the same as the InfoBox returns.
enum MessageResult : int {
    ResultOK = 1,
    ResultCancel = 2,
    ResultAbort = 3,
    ResultRetry = 4,
    ResultIgnore = 5,
    ResultYes = 6,
    ResultNo = 7,
};

using MessageHandler = std::function<int(const MessageRequest&)>;

// An empty handler restores the default: a real modal QMessageBox titled with
// the application's name. Its buttons are named "cmdOK", "cmdCancel", "cmdYes",
// "cmdNo" and "cmdRetry" so that automation can press them.
XQTESTDEV_EXPORT void setMessageHandler(MessageHandler handler);

} // namespace XQTestDev
