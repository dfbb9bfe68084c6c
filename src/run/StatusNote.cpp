#include "run/StatusNote.h"

namespace XQTestDev {

QString tooManyRowsNote(const QString& group, const QString& product, int rowLimit) {
    return QStringLiteral(
               "Group \"%1\" of product \"%2\" has more than %3 test lines: "
               "its window shows the first %3 and stays hidden until its page is turned to")
        .arg(group, product)
        .arg(rowLimit);
}

} // namespace XQTestDev
