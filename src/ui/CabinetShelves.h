#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>

namespace XQTestDev {

// Where and how big a window was before it was put away (twips).
struct ShelfPlace {
    int height = 0;
    int width = 0;
    int top = 0;
    int left = 0;
};

// One of the cabinet's shelves and the menu item that lists it. The item is
// designed as "Empty Shelf", hidden; a shelf is free while its item is hidden.
struct Shelf {
    QPointer<QWidget> window;
    ShelfPlace saved;
    QString caption = QStringLiteral("Empty Shelf");
    QString tag; // the window's handle as decimal text
    bool listed = false;
    bool enabled = true;
};

// The cabinet's 30 shelves, numbered 0 to 29.
class ShelfTable {
public:
    static constexpr int Count = 30;

    std::optional<int> firstFree() const;

    // Puts the window on the first free shelf and lists it under `caption`,
    // or under its handle when the caption is empty. Nothing happens when
    // every shelf is taken.
    std::optional<int> put(QWidget* window, const ShelfPlace& saved, const QString& caption,
                           const QString& handleText);

    // The first listed shelf whose item carries this handle.
    std::optional<int> listedWithTag(const QString& handleText) const;

    // Hides and disables the shelf's item, which frees the shelf.
    void takeOff(int index);
    void forgetWindow(int index);

    const Shelf& at(int index) const;
    // The captions of the listed shelves, in shelf order.
    QStringList listedCaptions() const;

private:
    std::array<Shelf, Count> shelves_;
};

} // namespace XQTestDev
