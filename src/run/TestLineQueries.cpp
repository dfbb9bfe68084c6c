#include "run/TestLineQueries.h"

#include "config/ProductDefinition.h"
#include "frame/MessageBox.h"
#include "run/HeaderMessages.h"
#include "run/RunSession.h"

namespace XQTestDev {

namespace {

QString fieldOf(const TestLine& line, TestLineField field) {
    switch (field) {
    case TestLineField::DbFieldName:
        return line.dbFieldName;
    case TestLineField::MinSpec:
        return line.minSpec;
    case TestLineField::MaxSpec:
        return line.maxSpec;
    case TestLineField::TargetSpec:
        return line.targetSpec;
    case TestLineField::Unit:
        return line.unit;
    case TestLineField::CustomFlag:
        return line.customFlag; // empty on a line of exactly seven fields
    }
    return {};
}

} // namespace

QString lookUpTestLineField(const QString& group, const QString& parameter, TestLineField field) {
    if (group.isEmpty() || parameter.isEmpty()) {
        showExclamation(HeaderMessages::missingGroupName());
        return {};
    }
    const QString product = runModel().run.product;
    if (product.isEmpty()) {
        showExclamation(HeaderMessages::productNeverChosen());
        return {};
    }
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    TestLineWalk walk(*spec, AtGap::Skip, AtShortLine::Stop);
    while (const TestLine* line = walk.next()) {
        if (line->groupName == group && line->parameterName == parameter)
            return fieldOf(*line, field);
    }
    switch (walk.end()) {
    case WalkEnd::ShortLine:
        showExclamation(HeaderMessages::specLineIncomplete(walk.endLine()));
        break;
    case WalkEnd::NoEndTag:
        showExclamation(HeaderMessages::endTagNotReached(group, parameter));
        break;
    case WalkEnd::EndTag:
    case WalkEnd::Gap:
        break;
    }
    return {};
}

} // namespace XQTestDev
