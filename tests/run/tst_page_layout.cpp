#include "run/GroupWindow.h"
#include "run/PageLayout.h"

#include <gtest/gtest.h>

#include <vector>

using namespace XQTestDev;

namespace {

constexpr int W = GroupWindow::Width;

std::vector<PlacedWindow> placeAll(PageLayoutState& state, const std::vector<int>& heights,
                                   int usableHeight, int xOffset = 0) {
    std::vector<PlacedWindow> out;
    for (int height : heights)
        out.push_back(placeGroupWindow(state, W, height, usableHeight, xOffset));
    return out;
}

TEST(PageLayout, WindowHeightsFollowTheRowCount) {
    EXPECT_EQ(GroupWindow::heightFor(10, 10), 6615);
    EXPECT_EQ(GroupWindow::heightFor(10, 3), 2415);
    EXPECT_EQ(GroupWindow::heightFor(15, 15), 9615);
    EXPECT_EQ(GroupWindow::heightFor(15, 1), 9630 - 14 * 600 - 15);
}

// Seven groups of ten lines on a usable height of 11490: one window per
// column, three per page, pages of 3, 3 and 1 windows.
TEST(PageLayout, SevenFullWindowsMakeThreePages) {
    PageLayoutState state;
    const std::vector<PlacedWindow> at =
        placeAll(state, std::vector<int>(7, GroupWindow::heightFor(10, 10)), 11490);
    EXPECT_EQ(state.pageTable, (QList<int>{2, 5, 6}));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(at[i].top, 1725) << i;
        EXPECT_EQ(at[i].left, W * (i % 3) + 1 + 20) << i;
    }
    EXPECT_EQ(pageOfWindow(state.pageTable, 4), 1);
    EXPECT_EQ(pageOfWindow(state.pageTable, 6), 2);
    EXPECT_EQ(pageOfWindow(state.pageTable, 7), -1);
    EXPECT_EQ(windowsOfPage(state.pageTable, 1).first, 3);
    EXPECT_EQ(windowsOfPage(state.pageTable, 1).last, 5);
}

TEST(PageLayout, ColumnsStackDownwardsInTurn) {
    PageLayoutState state;
    // Six small windows: two rounds over the three columns.
    const std::vector<PlacedWindow> at = placeAll(state, std::vector<int>(6, 2415), 9000, 600);
    EXPECT_EQ(state.pageTable, QList<int>{5});
    EXPECT_EQ(at[0].left, 620);
    EXPECT_EQ(at[3].left, 620);
    EXPECT_EQ(at[3].top, 1725 + 2415);
    EXPECT_EQ(at[5].left, 2 * W + 620);
    EXPECT_EQ(at[5].top, 1725 + 2415);
}

TEST(PageLayout, WindowThatFitsNoColumnOpensANewPage) {
    PageLayoutState state;
    // 9000 - 1725 leaves 7275: a 6615 window and a 615 window share column 0.
    placeAll(state, {6615, 6615, 6615, 615, 1215}, 9000);
    EXPECT_EQ(state.pageTable, (QList<int>{3, 4}));
    EXPECT_EQ(state.placed[3].top, 1725 + 6615);
    EXPECT_EQ(state.placed[4].top, 1725);
    EXPECT_EQ(state.placed[4].left, 21);
}

TEST(PageLayout, TooHighWindowGetsAPageOfItsOwn) {
    PageLayoutState state;
    // Usable height 8000 leaves 6275 under the header: a 10-row window never fits.
    placeAll(state, {2415, 6615, 2415, 6615}, 8000);
    EXPECT_EQ(state.pageTable, (QList<int>{0, 1, 2, 3}));
    for (const PlacedWindow& at : state.placed) {
        EXPECT_EQ(at.left, 21);
        EXPECT_EQ(at.top, 1725);
    }
}

TEST(PageLayout, FirstWindowTooHighStillEnds) {
    PageLayoutState state;
    placeAll(state, {9615, 9615}, 1000);
    EXPECT_EQ(state.pageTable, (QList<int>{0, 1}));
}

} // namespace
