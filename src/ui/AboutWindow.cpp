#include "ui/AboutWindow.h"

#include "frame/ScreenUnits.h"
#include "ui/Pictures.h"

#include <QLabel>
#include <QPushButton>

namespace XQTestDev {

namespace {

// Design size and places, in twips.
constexpr int WindowWidth = 5700;
constexpr int WindowHeight = 2400;
constexpr int LogoLeft = 360;
constexpr int LogoTop = 360;
constexpr int LogoSize = 1440;
constexpr int TextLeft = 2100;
constexpr int TextWidth = 3300;
constexpr int ButtonWidth = 1350;
constexpr int ButtonHeight = 450;

QRect twipsRect(int left, int top, int width, int height) {
    return {toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height)};
}

QLabel* makeText(QWidget* parent, const char* name, const QString& text, const QRect& twips) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

} // namespace

AboutWindow::AboutWindow(const QString& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    setFixedSize(toPixelsX(WindowWidth), toPixelsY(WindowHeight));
    setStyleSheet(
        QStringLiteral("QDialog#frmAbout { background: #ffffff; border: 1px solid #94a3b8; }"
                       "QLabel#lblProduct { color: #0f172a; font-size: 16pt; font-weight: bold; }"
                       "QLabel#lblVersion { color: #2563eb; font-size: 10pt; font-weight: bold; }"
                       "QLabel#lblDescription { color: #475569; font-size: 9pt; }"
                       "QPushButton#cmdOK { background: #1e293b; color: white; border: none;"
                       " border-radius: 6px; font-weight: bold; }"
                       "QPushButton#cmdOK:hover { background: #334155; }"));

    auto* imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(libraryPicture(QStringLiteral("MAKERLOGO")));
    imgLogo->setAlignment(Qt::AlignCenter);
    imgLogo->setGeometry(twipsRect(LogoLeft, LogoTop, LogoSize, LogoSize));

    makeText(this, "lblProduct", QStringLiteral("XQTestDev"), {TextLeft, 330, TextWidth, 480});
    makeText(this, "lblVersion", QStringLiteral("Version ") + version,
             {TextLeft, 810, TextWidth, 330});
    auto* description =
        makeText(this, "lblDescription", QStringLiteral("Library for production test stations"),
                 {TextLeft, 1140, TextWidth, 330});
    description->setWordWrap(true);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(WindowWidth - ButtonWidth - 360, WindowHeight - ButtonHeight - 300,
                                 ButtonWidth, ButtonHeight));
    cmdOK->setDefault(true);
    cmdOK->setCursor(Qt::PointingHandCursor);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

AboutWindow::~AboutWindow() = default;

} // namespace XQTestDev
