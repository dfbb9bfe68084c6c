#pragma once

// How Qt's values cross into Python and back: str for QString, None, bool,
// int, float, str and lists for QVariant, datetime for dates and times.

#include <pybind11/pybind11.h>

#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

namespace XQTestDev::python {

pybind11::object toPython(const QString& text);
pybind11::object toPython(const QVariant& value);
pybind11::object toPython(const QVariantList& values);
pybind11::object toPython(const QDateTime& moment);
pybind11::object toPython(const QTime& time);

// False when the object is none of the values a QVariant carries here.
bool fromPython(pybind11::handle object, QVariant& value);
bool fromPython(pybind11::handle object, QString& text);

} // namespace XQTestDev::python

namespace pybind11::detail {

template <> struct type_caster<QString> {
    PYBIND11_TYPE_CASTER(QString, const_name("str"));
    bool load(handle source, bool) { return XQTestDev::python::fromPython(source, value); }
    static handle cast(const QString& text, return_value_policy, handle) {
        return XQTestDev::python::toPython(text).release();
    }
};

template <> struct type_caster<QVariant> {
    PYBIND11_TYPE_CASTER(QVariant, const_name("object"));
    bool load(handle source, bool) { return XQTestDev::python::fromPython(source, value); }
    static handle cast(const QVariant& variant, return_value_policy, handle) {
        return XQTestDev::python::toPython(variant).release();
    }
};

template <> struct type_caster<QDateTime> {
    PYBIND11_TYPE_CASTER(QDateTime, const_name("datetime.datetime | None"));
    bool load(handle, bool) { return false; }
    static handle cast(const QDateTime& moment, return_value_policy, handle) {
        return XQTestDev::python::toPython(moment).release();
    }
};

template <> struct type_caster<QTime> {
    PYBIND11_TYPE_CASTER(QTime, const_name("datetime.time | None"));
    bool load(handle, bool) { return false; }
    static handle cast(const QTime& time, return_value_policy, handle) {
        return XQTestDev::python::toPython(time).release();
    }
};

} // namespace pybind11::detail
