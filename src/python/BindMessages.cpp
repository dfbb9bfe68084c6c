// The message seam from Python: xq.set_message_handler(callable) sees every
// message the library shows in a modal message box and answers it.

#include "Binding.h"

#include "Callbacks.h"

#include <XQTestDev/Messages.h>

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
        throw py::type_error("set_message_handler needs a callable or None");
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

} // namespace

void bindMessages(py::module_& module) {
    py::enum_<MessageIcon>(module, "MessageIcon")
        .value("Critical", MessageIcon::Critical)
        .value("Exclamation", MessageIcon::Exclamation)
        .value("Information", MessageIcon::Information)
        .value("Question", MessageIcon::Question);
    py::enum_<MessageButtons>(module, "MessageButtons")
        .value("OK", MessageButtons::OK)
        .value("OKCancel", MessageButtons::OKCancel)
        .value("YesNo", MessageButtons::YesNo)
        .value("RetryCancel", MessageButtons::RetryCancel);
    py::enum_<MessageResult>(module, "MessageResult", py::arithmetic())
        .value("ResultOK", ResultOK)
        .value("ResultCancel", ResultCancel)
        .value("ResultAbort", ResultAbort)
        .value("ResultRetry", ResultRetry)
        .value("ResultIgnore", ResultIgnore)
        .value("ResultYes", ResultYes)
        .value("ResultNo", ResultNo)
        .export_values();

    module.def("set_message_handler", &installHandler, py::arg("handler"),
               "Installs handler(text, title, buttons, icon) -> button code (ResultOK ...) for "
               "every message the library shows in a modal message box; None restores the "
               "real message box. buttons is a MessageButtons, icon a MessageIcon, title the "
               "application's name. A handler that raises, or answers with no number, counts "
               "as closing the box: OK for an OK box, else No or Cancel.");

    // The handler holds a Python object: it must go before the interpreter.
    module.add_object("_clear_message_handler", py::cpp_function([] { setMessageHandler({}); }));
    py::module_::import("atexit").attr("register")(module.attr("_clear_message_handler"));
}

} // namespace XQTestDev::python
