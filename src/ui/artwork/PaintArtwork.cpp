// Paints the library's pictures into PNG files at build time; the build then
// compiles them in as resources named ":/pictures/<NAME>". Run with the
// output folder as the only argument.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <functional>

namespace {

// The station palette: slate for chrome, one green and one red for verdicts.
const QColor Slate900(0x0f, 0x17, 0x2a);
const QColor Slate700(0x33, 0x41, 0x55);
const QColor Slate500(0x64, 0x74, 0x8b);
const QColor Slate300(0xcb, 0xd5, 0xe1);
const QColor Slate200(0xe2, 0xe8, 0xf0);
const QColor Slate100(0xf1, 0xf5, 0xf9);
const QColor PassGreen(0x16, 0xa3, 0x4a);
const QColor PassGreenDark(0x15, 0x80, 0x3d);
const QColor FailRed(0xdc, 0x26, 0x26);
const QColor FailRedDark(0xb9, 0x1c, 0x1c);
const QColor Accent(0x25, 0x63, 0xeb);
const QColor AccentDark(0x43, 0x38, 0xca);

QFont boldFont(int pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// Device pixels per design pixel of the pictures being painted: 1 for the
// plain set, 2 for the set that high-DPI screens show (<NAME>@2x.png). The
// painters draw in design pixels either way.
int density = 1;

QImage blank(int width, int height) {
    QImage image(width * density, height * density, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(density);
    image.fill(Qt::transparent);
    return image;
}

void smooth(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

// The circular button that puts a window away into the cabinet: a soft disc
// with a short bar, the usual sign for "minimise".
QImage roundButton(bool pressed, bool enabled) {
    QImage image = blank(18, 18);
    QPainter painter(&image);
    smooth(painter);
    const QRectF disc(1.0, 1.0, 16.0, 16.0);
    QLinearGradient fill(0, 1, 0, 17);
    if (!enabled) {
        fill.setColorAt(0, Slate100);
        fill.setColorAt(1, Slate200);
    } else if (pressed) {
        fill.setColorAt(0, Slate300);
        fill.setColorAt(1, Slate100);
    } else {
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, Slate300);
    }
    painter.setPen(QPen(enabled ? Slate500 : Slate300, 1.0));
    painter.setBrush(fill);
    painter.drawEllipse(disc);
    const double sink = pressed ? 0.75 : 0.0;
    painter.setPen(QPen(enabled ? Slate700 : Slate300, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(6.0, 9.5 + sink), QPointF(12.0, 9.5 + sink));
    return image;
}

// The activity lamp: lit with a highlight, or dark.
QImage greenLamp(bool lit) {
    QImage image = blank(12, 12);
    QPainter painter(&image);
    smooth(painter);
    QRadialGradient glow(QPointF(4.5, 4.0), 7.0);
    if (lit) {
        glow.setColorAt(0, QColor(0xbb, 0xf7, 0xd0));
        glow.setColorAt(0.45, QColor(0x22, 0xc5, 0x5e));
        glow.setColorAt(1, PassGreenDark);
    } else {
        glow.setColorAt(0, QColor(0x4b, 0x5e, 0x52));
        glow.setColorAt(1, QColor(0x1e, 0x2b, 0x24));
    }
    painter.setPen(QPen(QColor(0x14, 0x53, 0x2d), 1.0));
    painter.setBrush(glow);
    painter.drawEllipse(QRectF(0.5, 0.5, 11.0, 11.0));
    return image;
}

void drawCheck(QPainter& painter, const QPointF& centre, double size) {
    QPainterPath mark;
    mark.moveTo(centre + QPointF(-0.45 * size, 0.02 * size));
    mark.lineTo(centre + QPointF(-0.12 * size, 0.34 * size));
    mark.lineTo(centre + QPointF(0.48 * size, -0.32 * size));
    painter.drawPath(mark);
}

void drawCross(QPainter& painter, const QPointF& centre, double size) {
    const double arm = 0.36 * size;
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
}

// The big verdict: a rounded badge in the verdict's colour with its sign in a
// white ring and the word beside it.
QImage verdictBadge(const QString& word, const QColor& light, const QColor& dark, bool pass) {
    QImage image = blank(320, 120);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient fill(0, 0, 0, 120);
    fill.setColorAt(0, light);
    fill.setColorAt(1, dark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(2, 2, 316, 116), 22, 22);

    const QPointF signCentre(64, 60);
    painter.setBrush(QColor(255, 255, 255, 40));
    painter.setPen(QPen(Qt::white, 5.0));
    painter.drawEllipse(signCentre, 36, 36);
    painter.setPen(QPen(Qt::white, 9.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (pass)
        drawCheck(painter, signCentre, 44);
    else
        drawCross(painter, signCentre, 44);

    painter.setPen(Qt::white);
    painter.setFont(boldFont(58));
    painter.drawText(QRectF(112, 0, 196, 120), Qt::AlignCenter, word);
    return image;
}

// The cabinet: a small chest of three drawers on a slate tile.
QImage cabinetLogo() {
    QImage image = blank(52, 36);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient fill(0, 0, 0, 36);
    fill.setColorAt(0, Slate700);
    fill.setColorAt(1, Slate900);
    painter.setPen(QPen(Slate500, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 51, 35), 6, 6);

    const QRectF chest(15.5, 5.5, 21, 25);
    painter.setPen(QPen(Slate200, 1.4));
    painter.setBrush(QColor(255, 255, 255, 28));
    painter.drawRoundedRect(chest, 2.5, 2.5);
    for (int drawer = 1; drawer < 3; ++drawer) {
        const double y = chest.top() + drawer * chest.height() / 3.0;
        painter.drawLine(QPointF(chest.left(), y), QPointF(chest.right(), y));
    }
    painter.setPen(QPen(QColor(0x60, 0xa5, 0xfa), 2.0, Qt::SolidLine, Qt::RoundCap));
    for (int drawer = 0; drawer < 3; ++drawer) {
        const double y = chest.top() + (drawer + 0.5) * chest.height() / 3.0;
        painter.drawLine(QPointF(23.5, y), QPointF(28.5, y));
    }
    return image;
}

// The maker's logo: the letters XQ on a rounded tile with a test-probe tick.
QImage makerLogo() {
    QImage image = blank(96, 96);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient fill(0, 0, 96, 96);
    fill.setColorAt(0, Accent);
    fill.setColorAt(1, AccentDark);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(2, 2, 92, 92), 20, 20);
    painter.setPen(Qt::white);
    painter.setFont(boldFont(40));
    painter.drawText(QRectF(2, 4, 92, 70), Qt::AlignCenter, QStringLiteral("XQ"));
    painter.setPen(QPen(QColor(0x86, 0xef, 0xac), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath trace;
    trace.moveTo(20, 76);
    trace.lineTo(38, 76);
    trace.lineTo(44, 66);
    trace.lineTo(52, 84);
    trace.lineTo(58, 76);
    trace.lineTo(76, 76);
    painter.drawPath(trace);
    return image;
}

// One LED of the bar meter, standing upright: a rounded lens with a
// highlight when lit, dull grey when off. The picture is one pixel wider than
// the lens so that neighbours 8 pixels apart keep a one-pixel gap. It is
// opaque, on the meter's face colour, so that an unlit LED hides its lit one
// completely and the window need not paint what lies under it.
QImage barLed(const QColor& lit, bool on) {
    QImage image = blank(9, 19);
    image.fill(QColor(0x1e, 0x29, 0x3b));
    QPainter painter(&image);
    smooth(painter);
    const QRectF lens(0.5, 0.5, 7.0, 18.0);
    QLinearGradient fill(0, 0, 8, 0);
    if (on) {
        fill.setColorAt(0, lit.lighter(150));
        fill.setColorAt(0.45, lit);
        fill.setColorAt(1, lit.darker(140));
    } else {
        fill.setColorAt(0, QColor(0x47, 0x55, 0x69));
        fill.setColorAt(1, QColor(0x33, 0x41, 0x55));
    }
    painter.setPen(QPen(on ? lit.darker(170) : QColor(0x1e, 0x29, 0x3b), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(lens, 1.5, 1.5);
    if (on) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 90));
        painter.drawRoundedRect(QRectF(1.5, 1.5, 2.0, 8.0), 1.0, 1.0);
    }
    return image;
}

// An arrow button of the bar meter: a rounded key with a triangle pointing
// left or right, raised when released, sunk when pressed, faint when the bar
// may not be adjusted.
enum class KeyLook { Up, Down, Disabled };
QImage arrowKey(bool left, KeyLook look) {
    QImage image = blank(24, 20);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient fill(0, 0, 0, 20);
    switch (look) {
    case KeyLook::Up:
        fill.setColorAt(0, Qt::white);
        fill.setColorAt(1, Slate300);
        break;
    case KeyLook::Down:
        fill.setColorAt(0, Slate300);
        fill.setColorAt(1, Slate100);
        break;
    case KeyLook::Disabled:
        fill.setColorAt(0, Slate500);
        fill.setColorAt(1, Slate700);
        break;
    }
    painter.setPen(QPen(look == KeyLook::Disabled ? Slate700 : Slate500, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 23.0, 19.0), 4, 4);
    const double sink = look == KeyLook::Down ? 1.0 : 0.0;
    const double tip = left ? 8.0 : 16.0;
    const double base = left ? 15.0 : 9.0;
    QPainterPath arrow;
    arrow.moveTo(tip + sink, 10.0 + sink);
    arrow.lineTo(base + sink, 5.0 + sink);
    arrow.lineTo(base + sink, 15.0 + sink);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(look == KeyLook::Disabled ? Slate500.lighter(130) : Slate900);
    painter.drawPath(arrow);
    return image;
}

struct Picture {
    const char* name;
    std::function<QImage()> paint;
};

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: xq_paint_artwork <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << out.path() << "\n";
        return 1;
    }
    const Picture pictures[] = {
        {"ROUNDBUTTONUP", [] { return roundButton(false, true); }},
        {"ROUNDBUTTONDOWN", [] { return roundButton(true, true); }},
        {"ROUNDBUTTONDISABLE", [] { return roundButton(false, false); }},
        {"GREENON", [] { return greenLamp(true); }},
        {"GREENOFF", [] { return greenLamp(false); }},
        {"XQPASS",
         [] { return verdictBadge(QStringLiteral("PASS"), PassGreen, PassGreenDark, true); }},
        {"XQFAIL",
         [] { return verdictBadge(QStringLiteral("FAIL"), FailRed, FailRedDark, false); }},
        {"CABINETLOGO", [] { return cabinetLogo(); }},
        {"MAKERLOGO", [] { return makerLogo(); }},
        {"LEDGRAYVER", [] { return barLed(Slate500, false); }},
        {"LEDGREENVER", [] { return barLed(QColor(0x22, 0xc5, 0x5e), true); }},
        {"LEDYELLOWVER", [] { return barLed(QColor(0xfa, 0xcc, 0x15), true); }},
        {"LEDMAGENTAVER", [] { return barLed(QColor(0xd9, 0x46, 0xef), true); }},
        {"LEDREDVER", [] { return barLed(QColor(0xef, 0x44, 0x44), true); }},
        {"LEFTUP", [] { return arrowKey(true, KeyLook::Up); }},
        {"LEFTDOWN", [] { return arrowKey(true, KeyLook::Down); }},
        {"LEFTDISABLE", [] { return arrowKey(true, KeyLook::Disabled); }},
        {"RIGHTUP", [] { return arrowKey(false, KeyLook::Up); }},
        {"RIGHTDOWN", [] { return arrowKey(false, KeyLook::Down); }},
        {"RIGHTDISABLE", [] { return arrowKey(false, KeyLook::Disabled); }},
    };
    for (const int scale : {1, 2}) {
        density = scale;
        const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
        for (const Picture& picture : pictures) {
            const QString path = out.filePath(QLatin1String(picture.name) + suffix);
            if (!picture.paint().save(path, "PNG")) {
                QTextStream(stderr) << "cannot write " << path << "\n";
                return 1;
            }
        }
    }
    return 0;
}
