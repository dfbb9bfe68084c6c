// The message seam from Python: xq.set_message_handler(callable) sees every
// message the library shows in a modal message box and answers it.

#include "Binding.h"

#include "Callbacks.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/Unattended.h>

#include <QCoreApplication>

#include <memory>

namespace XQTestDev::python {

namespace {

// A handler that raised, or answered with no button code, has closed the box
// without a button: that is the last button of the set, its "no" answer.
int closedWithoutButton(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OK:
        return ResultOK;
    case MessageButtons::YesNo:
        return ResultNo;
    case MessageButtons::OKCancel:
    case MessageButtons::RetryCancel:
        return ResultCancel;
    }
    return ResultCancel;
}

void installHandler(const py::object& callable) {
    if (callable.is_none()) {
        setMessageHandler({});
        return;
    }
    if (!PyCallable_Check(callable.ptr()))
        throw py::type_error("set_message_handler(handler): handler must be a callable or None");
    auto handler = std::make_shared<PythonCallable>(callable, "the message handler");
    setMessageHandler([handler](const MessageRequest& request) {
        int answer = closedWithoutButton(request.buttons);
        const QString title = QCoreApplication::applicationName();
        handler->call(
            [&] {
                return py::make_tuple(toPython(request.text), toPython(title), request.buttons,
                                      request.icon);
            },
            [&](py::handle result) {
                if (PyIndex_Check(result.ptr()))
                    answer = py::cast<int>(
                        py::reinterpret_borrow<py::object>(result).attr("__index__")());
                else
                    py::print("The message handler answered", py::repr(result),
                              "which is no button code: taken as closing the box",
                              py::arg("file") = py::module_::import("sys").attr("stderr"));
            });
        return answer;
    });
}

// A prompt handler that raised or gave no answer has answered as nobody
// would: Cancel, else the set's "no", else its only button.
int unansweredPrompt(vbMyMsgBoxStyle buttons) {
    switch (buttons) {
    case vbOKOnly:
        return ResultOK;
    case vbAbortRetryIgnore:
        return ResultAbort;
    case vbYesNo:
        return ResultNo;
    default:
        return ResultCancel;
    }
}

// The handler's answer: a button code, or (button code, typed text).
bool readPromptAnswer(py::handle result, PromptAnswer& answer) {
    if (PyIndex_Check(result.ptr())) {
        answer.button =
            py::cast<int>(py::reinterpret_borrow<py::object>(result).attr("__index__")());
        return true;
    }
    if (!py::isinstance<py::tuple>(result) || py::len(result) != 2)
        return false;
    const py::tuple pair = py::reinterpret_borrow<py::tuple>(result);
    if (!PyIndex_Check(pair[0].ptr()) || !fromPython(pair[1], answer.typed))
        return false;
    answer.button = py::cast<int>(pair[0].attr("__index__")());
    return true;
}

void installPromptHandler(const py::object& callable) {
    if (callable.is_none()) {
        setPromptHandler({});
        return;
    }
    if (!PyCallable_Check(callable.ptr()))
        throw py::type_error("set_prompt_handler(handler): handler must be a callable or None");
    auto handler = std::make_shared<PythonCallable>(callable, "the prompt handler");
    setPromptHandler([handler](const PromptRequest& request) {
        PromptAnswer answer{unansweredPrompt(request.buttons), request.input};
        handler->call(
            [&] {
                return py::make_tuple(toPython(request.text), toPython(request.title),
                                      request.buttons, request.asksInput,
                                      toPython(request.passwordChar));
            },
            [&](py::handle result) {
                PromptAnswer given{answer.button, request.input};
                if (readPromptAnswer(result, given))
                    answer = given;
                else
                    py::print("The prompt handler answered", py::repr(result),
                              "which is neither a button code nor (button code, text): "
                              "taken as Cancel",
                              py::arg("file") = py::module_::import("sys").attr("stderr"));
            });
        return answer;
    });
}

} // namespace

void bindMessages(py::module_& module) {
    addIntEnum<MessageIcon>(module, "MessageIcon", "The icon of a library message box.",
                            {{"Critical", MessageIcon::Critical},
                             {"Exclamation", MessageIcon::Exclamation},
                             {"Information", MessageIcon::Information},
                             {"Question", MessageIcon::Question}},
                            false);
    addIntEnum<MessageButtons>(module, "MessageButtons", "The button set of a library message box.",
                               {{"OK", MessageButtons::OK},
                                {"OKCancel", MessageButtons::OKCancel},
                                {"YesNo", MessageButtons::YesNo},
                                {"RetryCancel", MessageButtons::RetryCancel}},
                               false);
    addIntEnum<MessageResult>(module, "MessageResult",
                              "The code of a pressed button, as the InfoBox returns it.",
                              {{"ResultOK", ResultOK},
                               {"ResultCancel", ResultCancel},
                               {"ResultAbort", ResultAbort},
                               {"ResultRetry", ResultRetry},
                               {"ResultIgnore", ResultIgnore},
                               {"ResultYes", ResultYes},
                               {"ResultNo", ResultNo}},
                              true);

    module.def("set_message_handler", &installHandler, py::arg("handler"),
               "Installs handler(text, title, buttons, icon) -> button code (ResultOK ...) for "
               "every message the library shows in a modal message box; None restores the "
               "real message box. buttons is a MessageButtons, icon a MessageIcon, title the "
               "application's name. A handler that raises, or answers with no number, counts "
               "as closing the box: OK for an OK box, else No or Cancel.");

    module.def("set_prompt_handler", &installPromptHandler, py::arg("handler"),
               "Installs handler(text, title, buttons, asks_input, password_char) for every "
               "InfoBox that waits for its answer, the library's own questions included (the "
               "admin password, Abort, Exit). It returns the pressed button's code (ResultOK "
               "...) or a tuple (code, typed_text). buttons is a vbMyMsgBoxStyle, asks_input "
               "a bool, password_char the character shown for each typed one (empty: clear "
               "text). None shows the InfoBox again. A handler that raises counts as Cancel "
               "(or the only button). With no handler and no display the InfoBox answers "
               "Cancel by itself and says so on standard error.");

    module.def(
        "set_headless_windows_driven", [](bool driven) { setHeadlessWindowsDriven(driven); },
        py::arg("driven"),
        "True: with no display the library's windows are shown all the same, for a program "
        "that presses their buttons itself (as XQ_HEADLESS_WINDOWS=driven). False (the "
        "default): with no display they answer by themselves.");
    module.def(
        "runs_unattended", [] { return runsUnattended(); },
        "True when nobody can see a window (the offscreen or minimal platform) and the "
        "windows are not driven: message boxes, InfoBoxes and the user entry then answer by "
        "themselves, saying so on standard error.");

    // The handlers hold Python objects: they must go before the interpreter.
    module.add_object("_clear_message_handler", py::cpp_function([] {
                          setMessageHandler({});
                          setPromptHandler({});
                      }));
    py::module_::import("atexit").attr("register")(module.attr("_clear_message_handler"));
}

} // namespace XQTestDev::python
