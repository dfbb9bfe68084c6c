#include "ui/CabinetPosition.h"
#include "ui/CabinetShelves.h"
#include "ui/CabinetSteps.h"

#include <gtest/gtest.h>

using namespace XQTestDev;

namespace {

struct Rounding {
    double value;
    int expected;
};

TEST(CabinetSteps, StepSizesRoundHalvesToEven) {
    const Rounding cases[] = {{0.5, 0},    {1.5, 2},   {2.5, 2},  {33.5, 34}, {34.5, 34},
                              {66.67, 67}, {66.5, 66}, {-0.5, 0}, {-1.5, -2}, {26.2333, 26}};
    for (const Rounding& c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
}

TEST(CabinetSteps, ShrinkingThreeThousandByTwoThousandTakesHundredAndSixtySevenPerStep) {
    const std::vector<TwipGeometry> steps = collapseSteps({1000, 500, 3000, 2000});
    ASSERT_EQ(steps.size(), 30u);
    for (int i = 1; i <= 30; ++i) {
        const TwipGeometry& step = steps[static_cast<size_t>(i - 1)];
        EXPECT_EQ(step.width, 3000 - 100 * i) << i;
        EXPECT_EQ(step.height, 2000 - 67 * i) << i;
        // Half a step is 50 across and 33.5 -> 34 down: the window keeps its centre.
        EXPECT_EQ(step.left, 1000 + 50 * i) << i;
        EXPECT_EQ(step.top, 500 + 34 * i) << i;
    }
    // 30 steps of 67 overshoot 2000; the window is shown at nothing, not less.
    EXPECT_EQ(steps.back().height, -10);
    EXPECT_EQ(steps.back().width, 0);
}

TEST(CabinetSteps, GrowingStartsFromTheCentreAndStepsTheSameAmounts) {
    const TwipGeometry centre = centreOf({12465, 4890, 787, 535});
    EXPECT_EQ(centre, (TwipGeometry{12465 + 394, 4890 + 268, 0, 0})); // 393.5 -> 394, 267.5 -> 268
    const std::vector<TwipGeometry> steps = expandSteps(centre, 787, 535);
    ASSERT_EQ(steps.size(), 30u);
    // 787/30 = 26.23 -> 26 (half 13); 535/30 = 17.83 -> 18 (half 9).
    EXPECT_EQ(steps.front(), (TwipGeometry{centre.left - 13, centre.top - 9, 26, 18}));
    EXPECT_EQ(steps.back(), (TwipGeometry{centre.left - 390, centre.top - 270, 780, 540}));
}

struct SavedPlace {
    const char* left;
    const char* top;
    int expectedLeft;
    int expectedTop;
};

TEST(CabinetPlace, NothingSavedOpensAtTheDefaultAndTextThatIsNoNumberCountsAsZero) {
    const SavedPlace cases[] = {
        {"", "", 12465, 4890},        {"0", "0", 12465, 4890},  {"abc", "", 12465, 4890},
        {"3000", "1500", 3000, 1500}, {"abc", "1500", 0, 1500}, {" 450 ", "x", 450, 0},
        {"1e99", "7", 0, 7},
    };
    for (const SavedPlace& c : cases) {
        const CabinetPlace place =
            cabinetPlaceFrom(QString::fromLatin1(c.left), QString::fromLatin1(c.top));
        EXPECT_EQ(place.left, c.expectedLeft) << c.left << "," << c.top;
        EXPECT_EQ(place.top, c.expectedTop) << c.left << "," << c.top;
    }
}

TEST(CabinetShelves, ThirtyShelvesInOrderAndTheThirtyFirstIsNotStored) {
    ShelfTable shelves;
    for (int i = 0; i < 30; ++i) {
        const std::optional<int> index =
            shelves.put(nullptr, {}, QStringLiteral("W%1").arg(i), QString::number(100 + i));
        ASSERT_TRUE(index.has_value());
        EXPECT_EQ(*index, i);
    }
    EXPECT_FALSE(
        shelves.put(nullptr, {}, QStringLiteral("W30"), QStringLiteral("130")).has_value());
    EXPECT_EQ(shelves.listedCaptions().size(), 30);
    EXPECT_EQ(shelves.listedCaptions().last(), QStringLiteral("W29"));

    // A freed shelf is the first one taken again.
    shelves.takeOff(7);
    EXPECT_EQ(shelves.firstFree(), 7);
    EXPECT_FALSE(shelves.listedWithTag(QStringLiteral("107")).has_value());
    EXPECT_EQ(shelves.put(nullptr, {}, QString(), QStringLiteral("555")), 7);
    EXPECT_EQ(shelves.at(7).caption, QStringLiteral("555")); // no caption: the handle
    EXPECT_EQ(shelves.listedWithTag(QStringLiteral("555")), 7);
}

} // namespace
