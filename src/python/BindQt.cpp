// xqtestdev.qt: what a script needs to drive the library's windows without a
// screen, the Python side of what a C++ station program does with Qt itself:
// timers that run inside the library's modal dialogs, and a handle on the
// real widgets (found by object name) to type, pick, click and read. Nothing
// of the library's behaviour is here.

#include "Binding.h"

#include "Callbacks.h"
#include "Members.h"
#include "Signals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace XQTestDev::python {

namespace {

// A widget of the library, held weakly: when the library deletes it, the
// handle says so instead of pointing at freed memory.
class Widget {
public:
    explicit Widget(QWidget* widget) : widget_(widget) {}

    QWidget* get() const {
        if (!widget_)
            throw std::runtime_error("the widget no longer exists");
        return widget_;
    }
    bool exists() const { return !widget_.isNull(); }

private:
    QPointer<QWidget> widget_;
};

py::object handleOf(QWidget* widget) {
    if (!widget)
        return py::none();
    return py::cast(Widget(widget));
}

QString textOf(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return field->text();
    if (auto* list = qobject_cast<QComboBox*>(widget))
        return list->currentText();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        return edit->toPlainText();
    if (auto* edit = qobject_cast<QTextEdit*>(widget))
        return edit->toPlainText();
    return widget->windowTitle();
}

// As an operator's typing ends up: a field's text, an editable list's text,
// or the item of a fixed list with that text.
void setTextOf(QWidget* widget, const QString& text) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(text);
        return;
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        if (list->isEditable()) {
            list->setEditText(text);
            return;
        }
        const int index = list->findText(text);
        if (index < 0)
            throw py::value_error("no item \"" + text.toStdString() + "\" in " +
                                  list->objectName().toStdString());
        list->setCurrentIndex(index);
        return;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(text);
        return;
    }
    throw py::type_error(widget->objectName().toStdString() + " takes no text");
}

QComboBox* listOf(QWidget* widget) {
    auto* list = qobject_cast<QComboBox*>(widget);
    if (!list)
        throw py::type_error(widget->objectName().toStdString() + " is no list");
    return list;
}

void mouseClick(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

py::list topLevelWidgets(const QString& objectName) {
    py::list found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (objectName.isEmpty() || widget->objectName() == objectName)
            found.append(handleOf(widget));
    }
    return found;
}

py::object visibleTopLevel(const QString& objectName) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == objectName && widget->isVisible())
            return handleOf(widget);
    }
    return py::none();
}

void singleShot(int milliseconds, const py::object& callable) {
    if (!PyCallable_Check(callable.ptr()))
        throw py::type_error("singleShot needs a callable");
    ensureApplication();
    auto call = std::make_shared<PythonCallable>(callable, "a singleShot timer");
    QTimer::singleShot(milliseconds, qApp, [call] { call->call([] { return py::tuple(); }); });
}

void bindWidget(py::module_& qt) {
    py::class_<Widget>(qt, "Widget", "A real widget of the library, found by object name.")
        .def("exists", &Widget::exists, "False once the library has deleted it.")
        .def("objectName", [](const Widget& w) { return w.get()->objectName(); })
        .def("className", [](const Widget& w) { return w.get()->metaObject()->className(); })
        .def("isVisible", [](const Widget& w) { return w.exists() && w.get()->isVisible(); })
        .def("isEnabled", [](const Widget& w) { return w.get()->isEnabled(); })
        .def("windowTitle", [](const Widget& w) { return w.get()->windowTitle(); })
        .def(
            "findChild",
            [](const Widget& w, const QString& name) {
                return handleOf(w.get()->findChild<QWidget*>(name));
            },
            py::arg("objectName"), "The child widget of that name, or None.")
        .def(
            "findChildren",
            [](const Widget& w, const QString& name) {
                py::list found;
                for (QWidget* child : w.get()->findChildren<QWidget*>(name))
                    found.append(handleOf(child));
                return found;
            },
            py::arg("objectName") = QString())
        .def(
            "text", [](const Widget& w) { return textOf(w.get()); },
            "A field's, list's, label's or button's text.")
        .def(
            "setText", [](const Widget& w, const QString& text) { setTextOf(w.get(), text); },
            py::arg("text"), ReleasesGil(), "Types the text into a field or picks it in a list.")
        .def("count", [](const Widget& w) { return listOf(w.get())->count(); })
        .def("currentIndex", [](const Widget& w) { return listOf(w.get())->currentIndex(); })
        .def(
            "setCurrentIndex",
            [](const Widget& w, int index) { listOf(w.get())->setCurrentIndex(index); },
            ReleasesGil())
        .def("itemText",
             [](const Widget& w, int index) { return listOf(w.get())->itemText(index); })
        .def(
            "click",
            [](const Widget& w) {
                auto* button = qobject_cast<QAbstractButton*>(w.get());
                if (!button)
                    throw py::type_error(w.get()->objectName().toStdString() + " is no button");
                py::gil_scoped_release released;
                button->click();
            },
            "Clicks a button as the operator does (its handlers run before this returns).")
        .def(
            "mouseClick", [](const Widget& w) { mouseClick(w.get()); }, ReleasesGil(),
            "Presses and releases the left mouse button at the widget's centre.")
        .def(
            "close", [](const Widget& w) { return w.get()->close(); }, ReleasesGil(),
            "Closes the window as its close button does; False when it refused.")
        .def(
            "grab", [](const Widget& w, const QString& path) { return w.get()->grab().save(path); },
            py::arg("path"), "Saves a picture of the widget (PNG by the file name).")
        .def("__repr__", [](const Widget& w) {
            if (!w.exists())
                return std::string("<Widget (deleted)>");
            return "<Widget " + w.get()->objectName().toStdString() + " (" +
                   w.get()->metaObject()->className() + ")>";
        });
}

void bindTimer(py::module_& qt) {
    py::class_<QTimer> timer(qt, "QTimer",
                             "Qt's timer: its timeout signal runs Python callables from "
                             "inside every event loop, the library's modal dialogs too.");
    timer
        .def(py::init([] {
            ensureApplication();
            return std::make_unique<QTimer>();
        }))
        .def(
            "start", [](QTimer& t, int milliseconds) { t.start(milliseconds); },
            py::arg("milliseconds"))
        .def("stop", &QTimer::stop)
        .def("isActive", &QTimer::isActive)
        .def("setSingleShot", &QTimer::setSingleShot)
        .def("interval", &QTimer::interval);
    addSignals(timer);
}

} // namespace

void bindQt(py::module_& module) {
    py::module_ qt = module.def_submodule(
        "qt", "Qt's timers and a handle on the library's real widgets, for driving its windows "
              "from a script or a test without a screen.");
    bindWidget(qt);
    bindTimer(qt);
    qt.def("singleShot", &singleShot, py::arg("milliseconds"), py::arg("callable"),
           "Calls callable() once after the time, from the event loop that runs then (also a "
           "modal dialog's).");
    qt.def("topLevelWidgets", &topLevelWidgets, py::arg("objectName") = QString(),
           "Every top-level window (of that object name).");
    qt.def("visibleWindow", &visibleTopLevel, py::arg("objectName"),
           "The shown top-level window of that object name, or None.");
    qt.def(
        "activeModalWidget", [] { return handleOf(QApplication::activeModalWidget()); },
        "The modal window now waiting for the operator, or None.");
}

} // namespace XQTestDev::python
