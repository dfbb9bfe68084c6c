#pragma once

#include "config/ProductDefinition.h"

#include <QString>
#include <QStringList>

namespace XQTestDev {

enum class OrderScan { Done, IncompleteLine, NoEndTag };

struct GroupOrder {
    OrderScan scan = OrderScan::Done;
    QString text; // the order text, items separated by commas
};

// The order of the test menu: ScreenGroupOrder when it is set, otherwise the
// groups in the order in which field 5 changes from one line to the next (a
// group split by another group is listed twice). A failed scan has shown its
// message.
GroupOrder screenGroupOrder(const ProductSpec& spec);
GroupOrder deriveGroupOrder(const ProductSpec& spec);

// One name per group window, in order: the items of the order text, untrimmed;
// items that are blank are skipped and take no number.
QStringList groupWindowNames(const QString& orderText);

} // namespace XQTestDev
