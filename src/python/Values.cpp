#include "Binding.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

#include <limits>

namespace XQTestDev::python {

namespace {

py::object datetimeModule() {
    // Imported once; the module lives as long as the interpreter.
    static py::handle module = py::module_::import("datetime").release();
    return py::reinterpret_borrow<py::object>(module);
}

py::object toPython(const QDate& date) {
    if (!date.isValid())
        return py::none();
    return datetimeModule().attr("date")(date.year(), date.month(), date.day());
}

bool listFromPython(py::handle sequence, QVariant& value) {
    QVariantList items;
    for (py::handle item : sequence) {
        QVariant converted;
        if (!fromPython(item, converted))
            return false;
        items.append(converted);
    }
    value = items;
    return true;
}

bool integerFromPython(py::handle object, QVariant& value) {
    int overflow = 0;
    const long long number = PyLong_AsLongLongAndOverflow(object.ptr(), &overflow);
    if (overflow != 0 || (number == -1 && PyErr_Occurred())) {
        PyErr_Clear();
        return false;
    }
    if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
        value = static_cast<int>(number);
    else
        value = static_cast<qlonglong>(number);
    return true;
}

} // namespace

py::object toPython(const QString& text) {
    // UTF-16 straight from QString's buffer: no UTF-8 copy on the way.
    int byteOrder = -1; // little endian, as QChar is stored on this platform
    PyObject* object = PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(text.utf16()),
                                             text.size() * 2, "replace", &byteOrder);
    if (!object)
        throw py::error_already_set();
    return py::reinterpret_steal<py::object>(object);
}

py::object toPython(const QVariantList& values) {
    py::list list;
    for (const QVariant& value : values)
        list.append(toPython(value));
    return list;
}

py::object toPython(const QDateTime& moment) {
    if (!moment.isValid())
        return py::none();
    const QDate date = moment.date();
    const QTime time = moment.time();
    return datetimeModule().attr("datetime")(date.year(), date.month(), date.day(), time.hour(),
                                             time.minute(), time.second(), time.msec() * 1000);
}

py::object toPython(const QTime& time) {
    if (!time.isValid())
        return py::none();
    return datetimeModule().attr("time")(time.hour(), time.minute(), time.second(),
                                         time.msec() * 1000);
}

py::object toPython(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return py::none();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return py::bool_(value.toBool());
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return py::int_(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return py::int_(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return py::float_(value.toDouble());
    case QMetaType::QString:
        return toPython(value.toString());
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return toPython(value.toList());
    case QMetaType::QDateTime:
        return toPython(value.toDateTime());
    case QMetaType::QDate:
        return toPython(value.toDate());
    case QMetaType::QTime:
        return toPython(value.toTime());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return py::bytes(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    default:
        // An enumeration's number, or any other value in its text form.
        if (value.metaType().flags().testFlag(QMetaType::IsEnumeration))
            return py::int_(value.toLongLong());
        return toPython(value.toString());
    }
}

bool fromPython(py::handle object, QString& text) {
    if (object.is_none()) {
        text = QString();
        return true;
    }
    if (!PyUnicode_Check(object.ptr()))
        return false;
    Py_ssize_t size = 0;
    const char* utf8 = PyUnicode_AsUTF8AndSize(object.ptr(), &size);
    if (!utf8) {
        PyErr_Clear();
        return false;
    }
    text = QString::fromUtf8(utf8, size);
    return true;
}

bool fromPython(py::handle object, QVariant& value) {
    PyObject* raw = object.ptr();
    if (object.is_none()) {
        value = QVariant();
        return true;
    }
    if (PyBool_Check(raw)) {
        value = raw == Py_True;
        return true;
    }
    if (PyLong_Check(raw))
        return integerFromPython(object, value);
    if (PyFloat_Check(raw)) {
        value = PyFloat_AsDouble(raw);
        return true;
    }
    if (PyUnicode_Check(raw)) {
        QString text;
        if (!fromPython(object, text))
            return false;
        value = text;
        return true;
    }
    if (PyList_Check(raw) || PyTuple_Check(raw))
        return listFromPython(object, value);
    if (PyBytes_Check(raw)) {
        value = QByteArray(PyBytes_AsString(raw), PyBytes_Size(raw));
        return true;
    }
    // The module's enumerations, and anything else that is an integer.
    if (PyIndex_Check(raw)) {
        py::object number = py::reinterpret_steal<py::object>(PyNumber_Index(raw));
        if (!number) {
            PyErr_Clear();
            return false;
        }
        return integerFromPython(number, value);
    }
    return false;
}

} // namespace XQTestDev::python
