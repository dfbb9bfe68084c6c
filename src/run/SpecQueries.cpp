#include "run/SpecQueries.h"

#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "run/HeaderMessages.h"
#include "run/ProductDefinition.h"

namespace XQTestDev {

namespace {

QString fieldOf(const TestLine& line, SpecField field) {
    switch (field) {
    case SpecField::DbFieldName:
        return line.dbFieldName;
    case SpecField::MinSpec:
        return line.minSpec;
    case SpecField::MaxSpec:
        return line.maxSpec;
    case SpecField::TargetSpec:
        return line.targetSpec;
    case SpecField::Unit:
        return line.unit;
    case SpecField::CustomFlag:
        return line.customFlag; // empty on a line of exactly seven fields
    }
    return {};
}

} // namespace

QString lookUpSpecField(const QString& group, const QString& parameter, SpecField field) {
    if (group.isEmpty() || parameter.isEmpty()) {
        showExclamation(HeaderMessages::missingGroupName());
        return {};
    }
    const QString product = library().run.product;
    if (product.isEmpty()) {
        showExclamation(HeaderMessages::productNeverChosen());
        return {};
    }
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    for (int number = 1; number <= LastSpecKey; ++number) {
        const TestLine& line = spec->line(number);
        switch (line.kind) {
        case LineKind::Empty:
            continue;
        case LineKind::EndTag:
            return {};
        case LineKind::Incomplete:
            showExclamation(HeaderMessages::specLineIncomplete(number));
            return {};
        case LineKind::Complete:
            if (line.groupName == group && line.parameterName == parameter)
                return fieldOf(line, field);
            continue;
        }
    }
    showExclamation(HeaderMessages::endTagNotReached(group, parameter));
    return {};
}

} // namespace XQTestDev
