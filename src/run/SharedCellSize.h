#pragma once

#include "run/GroupRows.h"

#include <QtGlobal>

#include <array>
#include <optional>

namespace XQTestDev {

// One font size for all values of a group window: the largest at which every
// shown value fits, so that a column of numbers does not jump between sizes
// from row to row. Each row tells the size its own value fits at.
class SharedCellSize {
public:
    explicit SharedCellSize(qreal largest) : largest_(largest) {}

    // The size at which the value of `row` fits, or none when it shows no
    // value. True when the shared size changed, so every value must be
    // shown again.
    bool set(int row, std::optional<qreal> fitsAt);
    qreal shared() const { return shared_; }

private:
    qreal smallest() const;

    qreal largest_;
    qreal shared_ = largest_;
    std::array<std::optional<qreal>, MaxGroupRows> sizes_{};
};

} // namespace XQTestDev
