#include "ui/CabinetShelves.h"

namespace XQTestDev {

std::optional<int> ShelfTable::firstFree() const {
    for (int index = 0; index < Count; ++index) {
        if (!shelves_[static_cast<size_t>(index)].listed)
            return index;
    }
    return std::nullopt;
}

std::optional<int> ShelfTable::put(QWidget* window, const ShelfPlace& saved, const QString& caption,
                                   const QString& handleText) {
    const std::optional<int> index = firstFree();
    if (!index)
        return std::nullopt;
    Shelf& shelf = shelves_[static_cast<size_t>(*index)];
    shelf.window = window;
    shelf.saved = saved;
    shelf.caption = caption.isEmpty() ? handleText : caption;
    shelf.tag = handleText;
    shelf.listed = true;
    shelf.enabled = true;
    return index;
}

std::optional<int> ShelfTable::listedWithTag(const QString& handleText) const {
    for (int index = 0; index < Count; ++index) {
        const Shelf& shelf = shelves_[static_cast<size_t>(index)];
        if (shelf.listed && shelf.tag == handleText)
            return index;
    }
    return std::nullopt;
}

void ShelfTable::takeOff(int index) {
    Shelf& shelf = shelves_.at(static_cast<size_t>(index));
    shelf.listed = false;
    shelf.enabled = false;
}

void ShelfTable::forgetWindow(int index) {
    shelves_.at(static_cast<size_t>(index)).window = nullptr;
}

const Shelf& ShelfTable::at(int index) const {
    return shelves_.at(static_cast<size_t>(index));
}

QStringList ShelfTable::listedCaptions() const {
    QStringList captions;
    for (const Shelf& shelf : shelves_) {
        if (shelf.listed)
            captions << shelf.caption;
    }
    return captions;
}

} // namespace XQTestDev
