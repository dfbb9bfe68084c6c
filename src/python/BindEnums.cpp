// The public enumerations, as enum.IntEnum (Enumerations.h). Their members
// are also module attributes (xq.vbOKCancel), as they are names of the C++
// namespace.

#include "Binding.h"

#include <string>
#include <vector>

namespace XQTestDev::python {

namespace {

template <typename E>
void addNumbered(py::module_& module, const char* name, const char* doc, const char* prefix,
                 int first, int last) {
    // IntEnum copies the names; these only have to outlive the call.
    std::vector<std::string> names;
    for (int number = first; number <= last; ++number)
        names.push_back(prefix + std::to_string(number));
    std::vector<std::pair<const char*, E>> members;
    for (int number = first; number <= last; ++number)
        members.emplace_back(names[static_cast<std::size_t>(number - first)].c_str(),
                             static_cast<E>(number));
    addIntEnum<E>(module, name, doc, members, true);
}

} // namespace

void bindEnums(py::module_& module) {
    addIntEnum<Positions>(module, "Positions",
                          "Where a window stands on the screen; 0 (no member) keeps the "
                          "stored position.",
                          {{"Center", Center},
                           {"CenterUp", CenterUp},
                           {"CenterLeft", CenterLeft},
                           {"CenterRight", CenterRight},
                           {"LeftUp", LeftUp},
                           {"RightUp", RightUp},
                           {"CenterDown", CenterDown},
                           {"LeftDown", LeftDown},
                           {"RightDown", RightDown}},
                          true);
    addIntEnum<vbMyMsgBoxStyle>(module, "vbMyMsgBoxStyle", "The button set of an InfoBox.",
                                {{"vbOKOnly", vbOKOnly},
                                 {"vbOKCancel", vbOKCancel},
                                 {"vbAbortRetryIgnore", vbAbortRetryIgnore},
                                 {"vbYesNoCancel", vbYesNoCancel},
                                 {"vbYesNo", vbYesNo},
                                 {"vbRetryCancel", vbRetryCancel}},
                                true);
    addIntEnum<MenuPositions>(
        module, "MenuPositions", "Where the header and group windows stand across the screen.",
        {{"MenuCenter", MenuCenter}, {"MenuLeft", MenuLeft}, {"MenuRight", MenuRight}}, true);
    addIntEnum<DBType>(module, "DBType",
                       "The database WriteDatabase writes: SQLite on the station (msAccess) or "
                       "the factory's PostgreSQL server (msSQLServer).",
                       {{"msAccess", msAccess}, {"msSQLServer", msSQLServer}}, true);
    addNumbered<GPIB_BoardNumber>(module, "GPIB_BoardNumber", "The GPIB board (interface).", "GPIB",
                                  GPIB0, GPIB9);
    addIntEnum<GPIB_TimeOut>(module, "GPIB_TimeOut",
                             "How long a GPIB write or read may take (TNONE: for ever).",
                             {{"TNONE", TNONE},
                              {"T10us", T10us},
                              {"T30us", T30us},
                              {"T100us", T100us},
                              {"T300us", T300us},
                              {"T1ms", T1ms},
                              {"T3ms", T3ms},
                              {"T10ms", T10ms},
                              {"T30ms", T30ms},
                              {"T100ms", T100ms},
                              {"T300ms", T300ms},
                              {"T1s", T1s},
                              {"T3s", T3s},
                              {"T10s", T10s},
                              {"T30s", T30s},
                              {"T100s", T100s},
                              {"T300s", T300s},
                              {"T1000s", T1000s}},
                             true);
}

} // namespace XQTestDev::python
