#include "ui/CabinetSteps.h"

#include <cmath>

namespace XQTestDev {

namespace {

struct Step {
    int width = 0;
    int height = 0;
    int halfWidth = 0;
    int halfHeight = 0;
};

Step stepFor(int width, int height) {
    Step step;
    step.width = roundHalfEven(width / static_cast<double>(AnimationSteps));
    step.height = roundHalfEven(height / static_cast<double>(AnimationSteps));
    step.halfWidth = roundHalfEven(step.width / 2.0);
    step.halfHeight = roundHalfEven(step.height / 2.0);
    return step;
}

} // namespace

int roundHalfEven(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = fraction < 0.5 ? floor : floor + 1.0;
    if (fraction == 0.5)
        rounded = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    return static_cast<int>(rounded);
}

std::vector<TwipGeometry> collapseSteps(const TwipGeometry& start) {
    const Step step = stepFor(start.width, start.height);
    std::vector<TwipGeometry> steps;
    steps.reserve(AnimationSteps);
    for (int i = 1; i <= AnimationSteps; ++i) {
        steps.push_back({start.left + step.halfWidth * i, start.top + step.halfHeight * i,
                         start.width - step.width * i, start.height - step.height * i});
    }
    return steps;
}

std::vector<TwipGeometry> expandSteps(const TwipGeometry& start, int width, int height) {
    const Step step = stepFor(width, height);
    std::vector<TwipGeometry> steps;
    steps.reserve(AnimationSteps);
    for (int i = 1; i <= AnimationSteps; ++i) {
        steps.push_back({start.left - step.halfWidth * i, start.top - step.halfHeight * i,
                         start.width + step.width * i, start.height + step.height * i});
    }
    return steps;
}

TwipGeometry centreOf(const TwipGeometry& shown) {
    return {shown.left + roundHalfEven(shown.width / 2.0),
            shown.top + roundHalfEven(shown.height / 2.0), 0, 0};
}

} // namespace XQTestDev
