#pragma once

#include "Binding.h"

#include <QMetaMethod>
#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

namespace XQTestDev::python {

// One signal of one object as Python sees it: menu.AllTestClick.connect(fn).
// Generic over Qt's meta-object, so every signal of every class is bound the
// same way and none is written by hand.
class BoundSignal {
public:
    BoundSignal(QObject* sender, int methodIndex);

    // Returns the callable, so that connect also serves as a decorator.
    py::object connect(py::object callable);
    // Disconnects this callable, or every Python callable when None; false
    // when nothing was connected.
    bool disconnect(const py::object& callable);
    std::string describe() const;

private:
    QObject* checkedSender() const;

    QPointer<QObject> sender_;
    int methodIndex_;
};

struct SignalInfo {
    int methodIndex;
    std::string name;
    std::string doc;
};

// The signals that `metaObject` declares itself, not those of its bases.
std::vector<SignalInfo> signalsDeclaredBy(const QMetaObject& metaObject);

// Adds every signal of the class as a read-only attribute of its name.
template <typename Class, typename... Options> void addSignals(py::class_<Class, Options...>& cls) {
    for (const SignalInfo& signal : signalsDeclaredBy(Class::staticMetaObject)) {
        const int index = signal.methodIndex;
        cls.def_property_readonly(
            signal.name.c_str(),
            py::cpp_function([index](Class& self) { return BoundSignal(&self, index); },
                             py::keep_alive<0, 1>()),
            signal.doc.c_str());
    }
}

} // namespace XQTestDev::python
