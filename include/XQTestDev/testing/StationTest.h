#pragma once

// GoogleTest support for C++ station programs: the station's windows are
// answered from a script, and a test fails on any message or InfoBox it did
// not expect. Header-only; include it in the station program's tests only.
//
//     TEST(Station, UnitRuns) {
//         XQTestDev::testing::ScriptedOperator op("bench-admin");
//         op.expect("Please enter the serial number!");
//         XQTestDev::XQMenu32 menu;
//         EXPECT_FALSE(menu.EnterUser("OP01", "", "PSU5V-100A", "C", "", ""));
//     }   // unexpected windows fail the test here

#include <XQTestDev/Messages.h>
#include <XQTestDev/Unattended.h>

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace XQTestDev::testing {

class ScriptedOperator {
public:
    // Admin password prompts (an input box with a password character) are
    // answered with `adminPassword` when one is given.
    explicit ScriptedOperator(QString adminPassword = {})
        : adminPassword_(std::move(adminPassword)) {
        setMessageHandler([this](const MessageRequest& request) {
            if (const Expected* found = take(request.text))
                return found->button;
            unexpected_ << QStringLiteral("message box: ") + request.text;
            return request.buttons == MessageButtons::YesNo ? int(ResultNo) : int(ResultCancel);
        });
        setPromptHandler([this](const PromptRequest& request) {
            if (request.asksInput && !request.passwordChar.isEmpty() && !adminPassword_.isEmpty())
                return PromptAnswer{ResultOK, adminPassword_};
            if (const Expected* found = take(request.text))
                return PromptAnswer{found->button, found->typed};
            unexpected_ << QStringLiteral("InfoBox: ") + request.text;
            return PromptAnswer{ResultCancel, QString()};
        });
    }
    ScriptedOperator(const ScriptedOperator&) = delete;
    ScriptedOperator& operator=(const ScriptedOperator&) = delete;

    ~ScriptedOperator() {
        setMessageHandler({});
        setPromptHandler({});
        EXPECT_TRUE(unexpected_.isEmpty())
            << "unexpected windows:\n  " << unexpected_.join(QStringLiteral("\n  ")).toStdString();
    }

    // The next window whose text contains `text` is answered `button` (and
    // `typed` for an input box).
    void expect(const QString& text, int button = ResultOK, const QString& typed = {}) {
        expected_.push_back({text, button, typed});
    }

private:
    struct Expected {
        QString text;
        int button;
        QString typed;
    };

    const Expected* take(const QString& text) {
        for (auto it = expected_.begin(); it != expected_.end(); ++it) {
            if (text.contains(it->text)) {
                answered_ = *it;
                expected_.erase(it);
                return &answered_;
            }
        }
        return nullptr;
    }

    QString adminPassword_;
    std::vector<Expected> expected_;
    Expected answered_{};
    QStringList unexpected_;
};

} // namespace XQTestDev::testing
