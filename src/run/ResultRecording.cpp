#include "run/ResultRecording.h"

#include "config/ProductDefinition.h"
#include "run/ResultsFile.h"
#include "run/RunSession.h"

namespace XQTestDev {

Recording recordResult(const QString& group, const QString& parameter, const QString& value) {
    const QString product = runModel().run.product;
    if (group.trimmed().isEmpty() || parameter.trimmed().isEmpty() || product.isEmpty())
        return {};
    const int line =
        readProductSpec(product)->lineOf(group, parameter, ProductSpec::AtIncompleteLine::Stop);
    if (line == 0)
        return {};
    return {true, writeResultLine(product, line, value.trimmed())};
}

} // namespace XQTestDev
