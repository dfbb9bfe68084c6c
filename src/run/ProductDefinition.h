#pragma once

#include "run/TestLine.h"

#include <QString>

#include <memory>
#include <vector>

namespace XQTestDev {

// One product's spec section of PRODUCTS.INI as it stands on disk: the test
// lines under keys 1 to 499 and the group order keys. Every reader of test
// lines walks this list by line number and applies its own stopping rule.
class ProductSpec {
public:
    ProductSpec(QString product, QString screenGroupOrder, std::vector<TestLine> lines);

    const QString& product() const { return product_; }
    const QString& screenGroupOrder() const { return screenGroupOrder_; }

    // Line `number` (1 to LastSpecKey); an empty line outside that range.
    const TestLine& line(int number) const;

    // The number of the line that holds the results of this group and
    // parameter: trimmed fields 5 and 6 equal the trimmed names exactly. The scan
    // skips empty lines and ends at the end tag; recording a result also ends at
    // an incomplete line, a group start steps over it. 0 when none matches.
    enum class AtIncompleteLine { Stop, Skip };
    int lineOf(const QString& group, const QString& parameter, AtIncompleteLine rule) const;

private:
    QString product_;
    QString screenGroupOrder_;
    std::vector<TestLine> lines_; // index 0 holds key 1
};

// "<product> Spec"
QString specSection(const QString& product);

// The test lines of `product` (its "<product> Spec" section), read again only
// when PRODUCTS.INI changed.
// A missing PRODUCTS.INI shows the reader's critical message once and gives an
// empty spec (every line empty), as a missing file reads as empty text.
std::shared_ptr<const ProductSpec> readProductSpec(const QString& product);

} // namespace XQTestDev
