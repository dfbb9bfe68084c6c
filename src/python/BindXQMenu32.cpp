#include "Binding.h"

#include "Members.h"
#include "Signals.h"

#include <XQTestDev/XQMenu32.h>

namespace XQTestDev::python {

namespace {

template <typename Query>
void addTestLineQuery(py::class_<XQMenu32>& cls, const char* name, Query query, const char* doc) {
    cls.def(name, query, py::arg("GroupName"), py::arg("ParameterName"), ReleasesGil(), doc);
}

void addRunData(py::class_<XQMenu32>& cls) {
    const char* entered = "From the last accepted user entry (str; empty before one).";
    addReadOnlyProperty(cls, "Model", &XQMenu32::Model, entered);
    addReadOnlyProperty(cls, "Revision", &XQMenu32::Revision, entered);
    addReadOnlyProperty(cls, "TestProduct", &XQMenu32::TestProduct, entered);
    addReadOnlyProperty(cls, "OperatorID", &XQMenu32::OperatorID, entered);
    addReadOnlyProperty(cls, "TestID", &XQMenu32::TestID, entered);
    addReadOnlyProperty(cls, "WorkOrderLotNumber", &XQMenu32::WorkOrderLotNumber, entered);
    addReadOnlyProperty(cls, "StartTime", &XQMenu32::StartTime,
                        "When the run's user entry was accepted (datetime; None before one).");
    addReadOnlyProperty(cls, "ATEID", &XQMenu32::ATEID, "The station's ID, read from ATE.INI.");
    addProperty(cls, "SerialNumber", &XQMenu32::SerialNumber, &XQMenu32::setSerialNumber,
                "The unit's serial number; setting it changes the results file at once (str).");
    addReadOnlyProperty(cls, "HPU", &XQMenu32::HPU,
                        "The elapsed time of the run as the header shows it (datetime.time).");
}

void addSettings(py::class_<XQMenu32>& cls) {
    addProperty(cls, "EnableTestPrompt", &XQMenu32::EnableTestPrompt,
                &XQMenu32::setEnableTestPrompt,
                "Group windows created from now on ask before a group test (bool).");
    addProperty(cls, "DisableGroupTestButton", &XQMenu32::DisableGroupTestButton,
                &XQMenu32::setDisableGroupTestButton,
                "Keeps the group Start buttons disabled from the next ShowMenu or run end (bool).");
    addProperty(cls, "MenuPosition", &XQMenu32::MenuPosition, &XQMenu32::setMenuPosition,
                "Where the header and group windows stand (MenuPositions; 0 until set).");
}

} // namespace

void bindXQMenu32(py::module_& module) {
    py::class_<XQMenu32> cls(
        module, "XQMenu32",
        "The test run: the header menu and group windows, the judging and recording of "
        "every result, the overall verdict. Operator actions arrive as its signals. Creating "
        "one starts a new unit: the previous results file is deleted.");
    cls.def(py::init(&construct<XQMenu32>))
        .def("ShowUserEntry", &XQMenu32::ShowUserEntry, ReleasesGil(),
             "Shows the user entry modally; True when the operator accepted it.")
        .def(
            "EnterUser",
            [](XQMenu32& menu, const QString& operatorId, const QString& serialNumber,
               const QString& product, const QString& model, const QString& revision,
               const QString& testId, const QString& workOrder,
               const std::vector<QString>& remarks) {
                return menu.EnterUser(operatorId, product, model, revision, testId, serialNumber,
                                      workOrder, QStringList(remarks.begin(), remarks.end()));
            },
            py::kw_only(), py::arg("operator"), py::arg("serial_number"),
            py::arg("product") = QString(), py::arg("model") = QString(),
            py::arg("revision") = QString(), py::arg("test_id") = QString(),
            py::arg("work_order") = QString(), py::arg("remarks") = std::vector<QString>(),
            ReleasesGil(),
            "Fills the run's identity without the user entry window, for an automated cell: "
            "the window's rules (required fields, the product's lists) and its messages. "
            "product: empty takes the one the window preselects; model, revision: empty takes "
            "the product's only one; test_id: empty takes the station's default; remarks: one "
            "str per remark caption of the product. Returns True when accepted (as OK), False "
            "when refused, after the window's message (through the message handler).")
        .def("ShowMenu", &XQMenu32::ShowMenu, ReleasesGil(),
             "Shows the group windows of the current product (the user entry first when no "
             "product is chosen yet).")
        .def("HideMenu", &XQMenu32::HideMenu, ReleasesGil(),
             "Closes the group windows and resets the results section for a new run.")
        .def("ClearResults", &XQMenu32::ClearResults, ReleasesGil(),
             "Empties the shown values; every line of the results becomes untested.")
        .def("SendData", &XQMenu32::SendData, py::arg("GroupName"), py::arg("ParameterName"),
             py::arg("TestResult"), py::arg("MovePage") = true, ReleasesGil(),
             "Shows, judges, colours and records one result (a number or a text). True only "
             "when it was recorded with the verdict Pass.")
        .def("StopTest", &XQMenu32::StopTest, ReleasesGil(),
             "Ends the run: the header returns to idle and EndTestTime is written.")
        .def("OverallPassFail", &XQMenu32::OverallPassFail,
             "\"PASS\", \"FAIL\" or empty, as last computed from the shown values.")
        .def("ShowCabinet", &XQMenu32::ShowCabinet, ReleasesGil())
        .def("HideCabinet", &XQMenu32::HideCabinet, ReleasesGil())
        .def("StartAllTest", &XQMenu32::StartAllTest, ReleasesGil(),
             "Starts a run as Start Test does and raises AllTestClick; returns once its "
             "handlers have returned. False (with a message) when no product is chosen or "
             "the changed configuration is refused.")
        .def("HidePassFail", &XQMenu32::HidePassFail, ReleasesGil())
        .def("ShowPassFail", &XQMenu32::ShowPassFail, ReleasesGil());
    addTestLineQuery(cls, "GetDBFieldName", &XQMenu32::GetDBFieldName,
                     "The line's database field as written in PRODUCTS.INI (str).");
    addTestLineQuery(cls, "GetMinSpec", &XQMenu32::GetMinSpec,
                     "The line's lower limit as written (str; empty when none matches).");
    addTestLineQuery(cls, "GetMaxSpec", &XQMenu32::GetMaxSpec,
                     "The line's upper limit as written (str; empty when none matches).");
    addTestLineQuery(cls, "GetTargetSpec", &XQMenu32::GetTargetSpec,
                     "The line's target as written (str; empty when none matches).");
    addTestLineQuery(cls, "GetUnit", &XQMenu32::GetUnit, "The line's unit (str).");
    addTestLineQuery(cls, "GetCustomFlag", &XQMenu32::GetCustomFlag,
                     "The line's custom flag (str).");
    cls.def(
        "TestLines",
        [](const XQMenu32& menu, const QString& product) {
            py::list lines;
            for (const TestLineInfo& line : menu.TestLines(product)) {
                py::dict each;
                each["key"] = toPython(line.key);
                each["field_name"] = toPython(line.fieldName);
                each["group"] = toPython(line.group);
                each["parameter"] = toPython(line.parameter);
                each["min"] = toPython(line.minSpec);
                each["max"] = toPython(line.maxSpec);
                each["target"] = toPython(line.targetSpec);
                each["unit"] = toPython(line.unit);
                each["custom_flag"] = toPython(line.customFlag);
                lines.append(each);
            }
            return lines;
        },
        py::arg("product"),
        "The product's test lines in menu order, up to its end tag: a list of dict[str, str] "
        "with key (the line's number in \"<product> Spec\"), field_name, group, parameter, "
        "min, max, target, unit and custom_flag, each exactly as PRODUCTS.INI writes it.");
    cls.def(
        "LastRunRecord",
        [](const XQMenu32& menu) -> py::object {
            const LastRunInfo last = menu.LastRunRecord();
            if (last.path.isEmpty())
                return py::none();
            py::dict info;
            info["path"] = toPython(last.path);
            info["verdict"] = toPython(last.verdict);
            info["untested"] = last.untested;
            info["aborted"] = last.aborted;
            return info;
        },
        "The run that ended last (StopTest or a confirmed Abort): a dict with path (str, its "
        "record file), verdict (str, \"PASS\" or \"FAIL\"), untested (int, lines without a "
        "result) and aborted (bool); None before any run ended.");
    addRunData(cls);
    addSettings(cls);
    addSignals(cls);
}

} // namespace XQTestDev::python
