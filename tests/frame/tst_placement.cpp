#include "frame/LibraryState.h"
#include "frame/Placement.h"
#include "frame/ScreenUnits.h"

#include <XQTestDev/XQUtility32.h>

#include <QWidget>

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct PlacementCase {
    int position;
    double left;
    double top;
    double infoBoxLeft;
    double infoBoxTop;
};

class PlacementTable : public ::testing::TestWithParam<PlacementCase> {};

// Screen 12000 x 9000, window 3000 x 2000, stored position (111, 222).
TEST_P(PlacementTable, PlacesWindow) {
    const PlacementCase& c = GetParam();
    const QSizeF screen(12000, 9000);
    const QSizeF window(3000, 2000);
    EXPECT_EQ(placeByPosition(c.position, window, screen, QPointF(111, 222)),
              QPointF(c.left, c.top));
    EXPECT_EQ(placeInfoBox(c.position, window, screen), QPointF(c.infoBoxLeft, c.infoBoxTop));
}

INSTANTIATE_TEST_SUITE_P(EveryPosition, PlacementTable,
                         ::testing::Values(PlacementCase{Center, 4500, 3500, 4500, 3500},
                                           PlacementCase{CenterUp, 4500, 0, 4500, 0},
                                           PlacementCase{CenterLeft, 0, 3500, 0, 3500},
                                           PlacementCase{CenterRight, 9000, 3500, 9000, 3500},
                                           PlacementCase{LeftUp, 0, 0, 0, 0},
                                           PlacementCase{RightUp, 9000, 0, 9000, 0},
                                           PlacementCase{CenterDown, 4500, 6900, 4500, 7000},
                                           PlacementCase{LeftDown, 0, 6900, 0, 7000},
                                           PlacementCase{RightDown, 9000, 6900, 9000, 7000},
                                           PlacementCase{0, 111, 222, 4500, 3500},
                                           PlacementCase{10, 111, 222, 4500, 3500},
                                           PlacementCase{-1, 111, 222, 4500, 3500}));

TEST(Placement, OddSizesKeepTheHalf) {
    EXPECT_EQ(placeByPosition(Center, QSizeF(3001, 2001), QSizeF(12000, 9000), {}),
              QPointF(4499.5, 3499.5));
}

TEST(Placement, MovesARealWindowOnTheMeasuredScreen) {
    XQUtility32 utility; // starts the library: screen measured as 12000 x 9000
    QWidget window;
    resizeWindowTwips(window, 3000, 1995);
    EXPECT_EQ(window.size(), QSize(200, 133));
    placeWindow(window, RightDown);
    EXPECT_EQ(windowPositionTwips(window), QPoint(9000, 6900));
    placeWindow(window, 0, QPointF(1500, 750));
    EXPECT_EQ(window.pos(), QPoint(100, 50));
}

} // namespace
