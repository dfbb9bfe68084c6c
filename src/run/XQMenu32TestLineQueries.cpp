// The test-line queries of XQMenu32: one field of a test line of the current
// product, looked up by group and parameter name.

#include <XQTestDev/XQMenu32.h>

#include "run/TestLineQueries.h"

namespace XQTestDev {

QString XQMenu32::GetDBFieldName(const QString& GroupName, const QString& ParameterName) const {
    return lookUpTestLineField(GroupName, ParameterName, TestLineField::DbFieldName);
}
// The limits stay text, exactly as written: "0.50" must not come back as 0.5.
QVariant XQMenu32::GetMinSpec(const QString& GroupName, const QString& ParameterName) const {
    return QVariant(lookUpTestLineField(GroupName, ParameterName, TestLineField::MinSpec));
}
QVariant XQMenu32::GetMaxSpec(const QString& GroupName, const QString& ParameterName) const {
    return QVariant(lookUpTestLineField(GroupName, ParameterName, TestLineField::MaxSpec));
}
QVariant XQMenu32::GetTargetSpec(const QString& GroupName, const QString& ParameterName) const {
    return QVariant(lookUpTestLineField(GroupName, ParameterName, TestLineField::TargetSpec));
}
QString XQMenu32::GetUnit(const QString& GroupName, const QString& ParameterName) const {
    return lookUpTestLineField(GroupName, ParameterName, TestLineField::Unit);
}
QString XQMenu32::GetCustomFlag(const QString& GroupName, const QString& ParameterName) const {
    return lookUpTestLineField(GroupName, ParameterName, TestLineField::CustomFlag);
}

} // namespace XQTestDev
