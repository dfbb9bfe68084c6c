#include "Signals.h"

#include "Callbacks.h"

#include <QHash>
#include <QVarLengthArray>

#include <memory>

namespace XQTestDev::python {

namespace {

// The Python type a handler receives for a parameter of this C++ type.
QString pythonTypeOf(const QByteArray& cppType) {
    static const QHash<QByteArray, QString> types = {
        {"QString", QStringLiteral("str")},
        {"double", QStringLiteral("float")},
        {"float", QStringLiteral("float")},
        {"int", QStringLiteral("int")},
        {"bool", QStringLiteral("bool")},
        {"QVariant", QStringLiteral("object")},
        {"QDateTime", QStringLiteral("datetime.datetime")},
        {"QTime", QStringLiteral("datetime.time")},
    };
    return types.value(cppType, QString::fromLatin1(cppType));
}

QString signatureOf(const QMetaMethod& signal) {
    QStringList parameters;
    const QList<QByteArray> names = signal.parameterNames();
    for (int i = 0; i < signal.parameterCount(); ++i)
        parameters << QString::fromLatin1(names.value(i)) + QStringLiteral(": ") +
                          pythonTypeOf(signal.parameterTypeName(i));
    return QString::fromLatin1(signal.name()) + QLatin1Char('(') +
           parameters.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// The receiving end of one Python connection: a child of the sender, so that
// it goes with it. Without Q_OBJECT it has no slots of its own; the one slot
// it is connected to is the first index after QObject's methods, answered in
// qt_metacall (as QSignalSpy does).
class SignalConnection final : public QObject {
public:
    SignalConnection(QObject* sender, int methodIndex, py::object callable)
        : QObject(sender), signal_(sender->metaObject()->method(methodIndex)),
          callable_(callable, "a handler of signal " + signatureOf(signal_).toStdString(), true),
          accepted_(acceptedArgumentCount(callable, signal_.parameterCount())) {
        connected_ = QMetaObject::connect(sender, methodIndex, this, SlotIndex);
    }

    bool isConnected() const { return bool(connected_); }
    int methodIndex() const { return signal_.methodIndex(); }
    // With the GIL held.
    bool calls(const py::object& callable) const {
        const py::object& mine = callable_.callable();
        return mine && (mine.is(callable) || mine.equal(callable));
    }

    // Done from Python, possibly from inside this very call: the connection
    // ends now, the object goes once the event loop is back.
    void cut() {
        QObject::disconnect(connected_);
        callable_.release();
        deleteLater();
    }

    int qt_metacall(QMetaObject::Call call, int id, void** arguments) override {
        id = QObject::qt_metacall(call, id, arguments);
        if (id < 0 || call != QMetaObject::InvokeMetaMethod)
            return id;
        if (id == 0)
            deliver(arguments);
        return id - 1;
    }

private:
    static inline const int SlotIndex = QObject::staticMetaObject.methodCount();

    QVariant argument(int index, void** arguments) const {
        const QMetaType type = signal_.parameterMetaType(index);
        if (type.id() == QMetaType::QVariant)
            return *static_cast<const QVariant*>(arguments[index + 1]);
        return QVariant(type, arguments[index + 1]);
    }

    void deliver(void** arguments) {
        // Qt's values are copied before the GIL is taken; Python objects
        // are made inside the call.
        QVarLengthArray<QVariant, 4> values;
        for (int i = 0; i < accepted_; ++i)
            values.append(argument(i, arguments));
        callable_.call([&values] {
            py::tuple tuple(values.size());
            for (int i = 0; i < values.size(); ++i)
                tuple[i] = toPython(values[i]);
            return tuple;
        });
    }

    QMetaMethod signal_;
    PythonCallable callable_;
    int accepted_;
    QMetaObject::Connection connected_;
};

QList<SignalConnection*> connectionsOf(QObject* sender, int methodIndex) {
    QList<SignalConnection*> found;
    for (QObject* child : sender->children()) {
        auto* connection = dynamic_cast<SignalConnection*>(child);
        if (connection && connection->methodIndex() == methodIndex && connection->isConnected())
            found << connection;
    }
    return found;
}

} // namespace

BoundSignal::BoundSignal(QObject* sender, int methodIndex)
    : sender_(sender), methodIndex_(methodIndex) {}

QObject* BoundSignal::checkedSender() const {
    if (!sender_)
        throw std::runtime_error("the object of this signal no longer exists");
    return sender_;
}

py::object BoundSignal::connect(py::object callable) {
    if (!PyCallable_Check(callable.ptr()))
        throw py::type_error("connect needs a callable");
    auto connection = std::make_unique<SignalConnection>(checkedSender(), methodIndex_, callable);
    if (!connection->isConnected())
        throw std::runtime_error("cannot connect to " + describe());
    (void)connection.release(); // owned by the sender from now on
    return callable;
}

bool BoundSignal::disconnect(const py::object& callable) {
    bool found = false;
    for (SignalConnection* connection : connectionsOf(checkedSender(), methodIndex_)) {
        if (callable.is_none() || connection->calls(callable)) {
            connection->cut();
            found = true;
        }
    }
    return found;
}

std::string BoundSignal::describe() const {
    if (!sender_)
        return "a signal of a deleted object";
    return "signal " + signatureOf(sender_->metaObject()->method(methodIndex_)).toStdString();
}

std::vector<SignalInfo> signalsDeclaredBy(const QMetaObject& metaObject) {
    std::vector<SignalInfo> found;
    for (int index = metaObject.methodOffset(); index < metaObject.methodCount(); ++index) {
        const QMetaMethod method = metaObject.method(index);
        if (method.methodType() != QMetaMethod::Signal)
            continue;
        found.push_back({index, method.name().toStdString(),
                         "Signal " + signatureOf(method).toStdString() +
                             ": .connect(callable), .disconnect(callable=None)."});
    }
    return found;
}

void bindSignals(py::module_& module) {
    py::class_<BoundSignal>(module, "Signal",
                            "A signal of a library object; the callables connected to it are "
                            "called with the signal's arguments (or as many as they take).")
        .def("connect", &BoundSignal::connect, py::arg("callable"),
             "Calls `callable` on every emission; returns it (usable as a decorator).")
        .def("disconnect", &BoundSignal::disconnect, py::arg("callable") = py::none(),
             "Disconnects `callable`, or every Python callable when None; False when none "
             "was connected.")
        .def("__repr__", [](const BoundSignal& signal) { return "<" + signal.describe() + ">"; });
}

} // namespace XQTestDev::python
