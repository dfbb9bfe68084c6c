#include "frame/OperatorPrompt.h"

namespace XQTestDev {

namespace {

// Without any window to ask in, every question is answered "no".
class RefusingPrompt : public OperatorPrompt {
public:
    bool askPassword(const QString&, QString&) override { return false; }
    bool confirm(const QString&) override { return false; }
};

OperatorPrompt*& installed() {
    static OperatorPrompt* prompt = nullptr;
    return prompt;
}

OperatorPrompt*& fallback() {
    static OperatorPrompt* prompt = nullptr;
    return prompt;
}

} // namespace

OperatorPrompt& operatorPrompt() {
    if (installed())
        return *installed();
    if (fallback())
        return *fallback();
    static RefusingPrompt refusing;
    return refusing;
}

void setOperatorPrompt(OperatorPrompt* prompt) {
    installed() = prompt;
}

void setDefaultOperatorPrompt(OperatorPrompt* prompt) {
    fallback() = prompt;
}

} // namespace XQTestDev
