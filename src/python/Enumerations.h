#pragma once

// The library's enumerations as Python's enum.IntEnum: iterable, printable
// and usable as the numbers they are. An int is accepted wherever one is
// (C++ accepts any value of the enumeration's type: 0 is "stored position"),
// and a value without a member comes back as a plain int.

#include <pybind11/pybind11.h>

#include <XQTestDev/Enums.h>
#include <XQTestDev/Messages.h>

#include <utility>
#include <vector>

namespace XQTestDev::python {

// The IntEnum class made for E; None until bindEnums has run.
template <typename E> pybind11::object& intEnumClass() {
    static pybind11::object* cls = new pybind11::object(); // outlives the interpreter
    return *cls;
}

// Makes the IntEnum `name` of `members` in the module, optionally with every
// member also a module attribute (xq.vbOKCancel).
template <typename E>
void addIntEnum(pybind11::module_& module, const char* name, const char* doc,
                const std::vector<std::pair<const char*, E>>& members, bool exportValues) {
    namespace py = pybind11;
    py::list pairs;
    for (const auto& [memberName, value] : members)
        pairs.append(py::make_tuple(memberName, static_cast<int>(value)));
    py::object cls =
        py::module_::import("enum").attr("IntEnum")(name, pairs, py::arg("module") = "xqtestdev");
    cls.attr("__doc__") = doc;
    module.add_object(name, cls);
    if (exportValues) {
        for (const auto& member : members)
            module.add_object(member.first, cls.attr(member.first));
    }
    intEnumClass<E>() = cls;
}

template <typename E> struct IntEnumCaster {
    E value{};
    static constexpr auto name = pybind11::detail::const_name("int");
    template <typename T_> using cast_op_type = pybind11::detail::movable_cast_op_type<T_>;
    operator E*() { return &value; }
    operator E&() { return value; }
    operator E&&() && { return std::move(value); }

    bool load(pybind11::handle source, bool) {
        if (!PyLong_Check(source.ptr()) || PyBool_Check(source.ptr()))
            return false;
        const long number = PyLong_AsLong(source.ptr());
        if (number == -1 && PyErr_Occurred()) {
            PyErr_Clear();
            return false;
        }
        value = static_cast<E>(number);
        return true;
    }

    static pybind11::handle cast(E value, pybind11::return_value_policy, pybind11::handle) {
        namespace py = pybind11;
        py::int_ number(static_cast<int>(value));
        const py::object& cls = intEnumClass<E>();
        if (cls && py::bool_(cls.attr("_value2member_map_").attr("__contains__")(number)))
            return cls(number).release();
        return number.release();
    }
};

} // namespace XQTestDev::python

namespace pybind11::detail {

#define XQ_INT_ENUM_CASTER(E, PythonName)                                                          \
    template <>                                                                                    \
    struct type_caster<XQTestDev::E> : XQTestDev::python::IntEnumCaster<XQTestDev::E> {            \
        static constexpr auto name = const_name(PythonName);                                       \
    };

XQ_INT_ENUM_CASTER(Positions, "Positions")
XQ_INT_ENUM_CASTER(vbMyMsgBoxStyle, "vbMyMsgBoxStyle")
XQ_INT_ENUM_CASTER(MenuPositions, "MenuPositions")
XQ_INT_ENUM_CASTER(DBType, "DBType")
XQ_INT_ENUM_CASTER(GPIB_BoardNumber, "GPIB_BoardNumber")
XQ_INT_ENUM_CASTER(GPIB_TimeOut, "GPIB_TimeOut")
XQ_INT_ENUM_CASTER(MessageIcon, "MessageIcon")
XQ_INT_ENUM_CASTER(MessageButtons, "MessageButtons")
XQ_INT_ENUM_CASTER(MessageResult, "MessageResult")

#undef XQ_INT_ENUM_CASTER

} // namespace pybind11::detail
