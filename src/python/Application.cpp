#include "Application.h"

#include "Members.h"

#include <XQTestDev/Unattended.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <list>

namespace XQTestDev::python {

namespace {

bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Offscreen, the platform cannot raise or lower windows and says so for
// every window brought to the front; no news to a headless run.
void quietenOffscreenPlatform() {
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (text.startsWith(QLatin1String("This plugin does not support")) ||
                text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
                return;
            if (previous)
                previous(type, context, text);
        });
}

std::vector<std::string> scriptArguments() {
    std::vector<std::string> arguments;
    py::object sys = py::module_::import("sys");
    if (py::hasattr(sys, "argv"))
        arguments = sys.attr("argv").cast<std::vector<std::string>>();
    if (arguments.empty() || arguments.front().empty())
        arguments.insert(arguments.begin(), "python3");
    return arguments;
}

// The application of the process: one, never deleted, so that it outlives
// every library object however Python's shutdown orders them.
class ProcessApplication {
public:
    explicit ProcessApplication(std::vector<std::string> arguments)
        : strings_(arguments.begin(), arguments.end()) {
        for (std::string& each : strings_)
            pointers_.push_back(each.data());
        pointers_.push_back(nullptr);
        count_ = static_cast<int>(strings_.size());
        application_ = new QApplication(count_, pointers_.data());
    }

private:
    std::list<std::string> strings_; // argv must stay valid for Qt
    std::vector<char*> pointers_;
    int count_ = 0;
    QApplication* application_ = nullptr;
};

// What Python holds as xq.Application(): a handle on the process's one.
class Application {
public:
    explicit Application(const std::optional<std::vector<std::string>>& arguments) {
        ensureApplication(arguments);
    }
};

// Runs `loop` (or the application's loop) until it ends or the waits are
// interrupted (Ctrl-C), which the loop cannot see by itself.
int runUntilInterrupted(QEventLoop* loop) {
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [loop] {
        if (!waitsInterrupted())
            return;
        if (loop)
            loop->exit(-1);
        else
            QCoreApplication::exit(-1);
    });
    watch.start(20);
    if (waitsInterrupted())
        return -1;
    return loop ? loop->exec() : QApplication::exec();
}

} // namespace

void ensureApplication(const std::optional<std::vector<std::string>>& arguments) {
    if (QCoreApplication::instance())
        return;
    if (!hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        quietenOffscreenPlatform();
    static ProcessApplication application(arguments ? *arguments : scriptArguments());
}

void bindApplication(py::module_& module) {
    py::class_<Application>(module, "Application",
                            "The Qt application of the station program. Made once per "
                            "process (offscreen when there is no display); later ones refer "
                            "to the same. Library objects made before it make it themselves.")
        .def(py::init<const std::optional<std::vector<std::string>>&>(),
             py::arg("argv") = py::none(), "argv: the program's arguments (sys.argv when None).")
        .def(
            "exec", [](Application&) { return runUntilInterrupted(nullptr); }, ReleasesGil(),
            "Runs the event loop until quit() and returns its exit code (-1 after Ctrl-C, "
            "which then raises KeyboardInterrupt). The GIL is released meanwhile: Python "
            "threads and callbacks keep running.")
        .def_static(
            "quit", [] { QCoreApplication::quit(); }, "Ends exec().")
        .def_static(
            "processEvents",
            [](int milliseconds) {
                QEventLoop loop;
                QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
                runUntilInterrupted(&loop);
            },
            py::arg("milliseconds") = 0, ReleasesGil(),
            "Lets the windows and timers run for the given time, as a station program does "
            "while it waits for an instrument.")
        .def_property_static(
            "applicationName", [](py::handle) { return QCoreApplication::applicationName(); },
            [](py::handle, const QString& name) { QCoreApplication::setApplicationName(name); },
            "The title of the library's message boxes.");
}

} // namespace XQTestDev::python
