#include "run/PageLayout.h"

namespace XQTestDev {

namespace {

int columnLeft(int column, int width, int xOffset) {
    return width * column + xOffset + ColumnGap;
}

// Height used in the column whose left edge is `left` by the windows of the
// page being filled.
int usedHeight(const PageLayoutState& state, int left) {
    int used = 0;
    for (int i = state.firstIndexOfPage; i < state.placed.size(); ++i) {
        if (state.placed[i].left == left)
            used += state.placed[i].height;
    }
    return used;
}

void startNewPage(PageLayoutState& state, int index) {
    state.layoutColumn = 0;
    state.firstIndexOfPage = index;
    state.pageTable.append(index);
    state.pageClosed = false;
}

PlacedWindow accept(PageLayoutState& state, int index, PlacedWindow at, int column) {
    state.pageTable.last() = index;
    state.layoutColumn = column + 1 < ColumnsPerPage ? column + 1 : 0;
    state.placed.append(at);
    return at;
}

} // namespace

PlacedWindow placeGroupWindow(PageLayoutState& state, int width, int height, int usableHeight,
                              int menuXOffset, int headerHeight) {
    const int index = static_cast<int>(state.placed.size());
    const int xOffset = menuXOffset == 0 ? 1 : menuXOffset;
    if (state.pageTable.isEmpty() || state.pageClosed)
        startNewPage(state, index);

    for (int attempt = 0; attempt < 2; ++attempt) {
        for (int column = state.layoutColumn; column < ColumnsPerPage; ++column) {
            const int left = columnLeft(column, width, xOffset);
            const int used = usedHeight(state, left);
            if (usableHeight - (used + headerHeight) >= height)
                return accept(state, index, {left, used + headerHeight, height}, column);
        }
        if (state.firstIndexOfPage == index)
            break; // the page is empty already: no page can hold this window
        startNewPage(state, index);
    }
    // Too high for an empty page: it gets this page to itself, at the top.
    PlacedWindow at =
        accept(state, index, {columnLeft(0, width, xOffset), headerHeight, height}, 0);
    state.pageClosed = true;
    return at;
}

int pageOfWindow(const QList<int>& pageTable, int windowIndex) {
    for (int page = 0; page < pageTable.size(); ++page) {
        if (pageTable[page] >= windowIndex)
            return page;
    }
    return -1;
}

WindowRange windowsOfPage(const QList<int>& pageTable, int page) {
    if (page < 0 || page >= pageTable.size())
        return {};
    return {page == 0 ? 0 : pageTable[page - 1] + 1, pageTable[page]};
}

} // namespace XQTestDev
