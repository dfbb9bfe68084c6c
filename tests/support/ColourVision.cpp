#include "support/ColourVision.h"

#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>

namespace XQTestDev::testing {

namespace {

constexpr std::array<std::array<double, 3>, 3> Deuteranopia{{
    {0.367322, 0.860646, -0.227968},
    {0.280085, 0.672501, 0.047413},
    {-0.011820, 0.042940, 0.968881},
}};

constexpr std::array<std::array<double, 3>, 3> Protanopia{{
    {0.152286, 1.052583, -0.204868},
    {0.114503, 0.786281, 0.099216},
    {-0.003882, -0.048116, 1.051998},
}};

using Simulation = std::array<std::array<double, 3>, 3>;

double toLinear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int fromLinear(double linear) {
    const double c = std::clamp(linear, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
    return static_cast<int>(std::lround(encoded * 255));
}

QImage simulated(const QImage& picture, const Simulation& matrix) {
    QImage seen = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < seen.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(seen.scanLine(y));
        for (int x = 0; x < seen.width(); ++x) {
            const QRgb pixel = line[x];
            const std::array<double, 3> rgb{toLinear(qRed(pixel)), toLinear(qGreen(pixel)),
                                            toLinear(qBlue(pixel))};
            std::array<int, 3> out{};
            for (size_t row = 0; row < 3; ++row)
                out[row] = fromLinear(matrix[row][0] * rgb[0] + matrix[row][1] * rgb[1] +
                                      matrix[row][2] * rgb[2]);
            line[x] = qRgba(out[0], out[1], out[2], qAlpha(pixel));
        }
    }
    return seen;
}

} // namespace

QImage asDeuteranope(const QImage& picture) {
    return simulated(picture, Deuteranopia);
}

QImage asProtanope(const QImage& picture) {
    return simulated(picture, Protanopia);
}

void saveShotsForColourCheck(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("XQ_SHOTS");
    if (folder.isEmpty())
        return;
    const QImage shot = window.grab().toImage();
    shot.save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    asDeuteranope(shot).save(folder + QLatin1Char('/') + name +
                             QStringLiteral("-deuteranopia.png"));
    asProtanope(shot).save(folder + QLatin1Char('/') + name + QStringLiteral("-protanopia.png"));
}

} // namespace XQTestDev::testing
