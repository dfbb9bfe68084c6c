#pragma once

#include <QList>

namespace XQTestDev {

// Geometry of the test menu below the header, in twips.
inline constexpr int HeaderHeight = 1725;
inline constexpr int ColumnGap = 20;
inline constexpr int ColumnsPerPage = 3;

struct PlacedWindow {
    int left = 0;
    int top = 0;
    int height = 0;
};

// How far the pages of group windows are filled. Windows are placed one at a
// time in menu order; `placed` holds them in that order.
struct PageLayoutState {
    QList<int> pageTable; // per page: the index of its last window
    int layoutColumn = 0; // column the next window tries first
    int firstIndexOfPage = 0;
    QList<PlacedWindow> placed;
    // Set after a window too high for any page took a page of its own, so
    // that the next window opens a new page.
    bool pageClosed = false;

    void clear() { *this = PageLayoutState(); }
};

// Places window `placed.size()` of the given size: columns fill from left to
// right, one window per column in turn, each column stacking downwards under
// the header; a window that fits in no remaining column opens the next page. A
// window higher than an empty page gets a page of its own at the top.
// `headerHeight` is the header's height as drawn (a scaled menu has a taller
// header).
PlacedWindow placeGroupWindow(PageLayoutState& state, int width, int height, int usableHeight,
                              int menuXOffset, int headerHeight = HeaderHeight);

// The first page whose last window index is not smaller than `windowIndex`;
// -1 when there is none.
int pageOfWindow(const QList<int>& pageTable, int windowIndex);

// The first and last window index of page `page`.
struct WindowRange {
    int first = 0;
    int last = -1;
    bool contains(int index) const { return index >= first && index <= last; }
};
WindowRange windowsOfPage(const QList<int>& pageTable, int page);

} // namespace XQTestDev
