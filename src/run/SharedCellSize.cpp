#include "run/SharedCellSize.h"

#include <algorithm>

namespace XQTestDev {

bool SharedCellSize::set(int row, std::optional<qreal> fitsAt) {
    if (row < 0 || row >= MaxGroupRows)
        return false;
    sizes_[static_cast<size_t>(row)] = fitsAt;
    const qreal before = shared_;
    shared_ = smallest();
    return !qFuzzyCompare(before, shared_);
}

qreal SharedCellSize::smallest() const {
    qreal size = largest_;
    for (const std::optional<qreal>& fits : sizes_) {
        if (fits)
            size = std::min(size, *fits);
    }
    return size;
}

} // namespace XQTestDev
