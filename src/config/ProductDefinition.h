#pragma once

#include "config/TestLine.h"

#include <QString>

#include <memory>
#include <vector>

namespace XQTestDev {

// One product's spec section of PRODUCTS.INI as it stands on disk: the test
// lines under keys 1 to 499 and the group order keys. Readers go through the
// lines with a TestLineWalk.
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

    int lineCount() const { return static_cast<int>(lines_.size()); }

private:
    QString product_;
    QString screenGroupOrder_;
    std::vector<TestLine> lines_; // index 0 holds key 1
};

// How a walk over the test lines ended.
enum class WalkEnd {
    EndTag,    // the "<EOT>" line
    Gap,       // an empty line, where the walk stops at gaps
    ShortLine, // a line of fewer than seven fields, where the walk stops at them
    NoEndTag,  // key 499 passed without an end tag
};

// What a walk does at an empty line and at a short line. A skipped line is
// passed over; a yielded short line is handed out like a complete one.
enum class AtGap { Skip, Stop };
enum class AtShortLine { Skip, Stop, Yield };

// The one walk over a product's numbered test lines, from key 1 up to the end
// tag. Each reader picks its rules and maps the ending to its own message:
//
//     TestLineWalk walk(spec, AtGap::Skip, AtShortLine::Stop);
//     while (const TestLine* line = walk.next()) { ... }
//     if (walk.end() == WalkEnd::ShortLine) ... walk.endLine() ...
class TestLineWalk {
public:
    TestLineWalk(const ProductSpec& spec, AtGap gap, AtShortLine shortLine);

    // The next complete (or yielded short) line; nullptr once the walk ended.
    const TestLine* next();

    // Valid once next() returned nullptr.
    WalkEnd end() const { return end_; }
    // The number of the line that ended the walk (LastSpecKey + 1 for NoEndTag).
    int endLine() const { return number_; }

private:
    const ProductSpec& spec_;
    AtGap gap_;
    AtShortLine shortLine_;
    int number_ = 0;
    bool ended_ = false;
    WalkEnd end_ = WalkEnd::NoEndTag;
};

// "<product> Spec"
QString specSection(const QString& product);

// The test lines of `product` (its "<product> Spec" section), read again only
// when PRODUCTS.INI changed.
// A missing PRODUCTS.INI shows the reader's critical message once and gives an
// empty spec (every line empty), as a missing file reads as empty text.
std::shared_ptr<const ProductSpec> readProductSpec(const QString& product);

} // namespace XQTestDev
