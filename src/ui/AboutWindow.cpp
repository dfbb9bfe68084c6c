#include "ui/AboutWindow.h"

#include "frame/ScreenUnits.h"
#include "ui/Pictures.h"
#include "ui/WindowParts.h"

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

    makePicture(this, QStringLiteral("imgLogo"), twipsRect(LogoLeft, LogoTop, LogoSize, LogoSize),
                libraryPicture(QStringLiteral("MAKERLOGO")));
    makeLabel(this, QStringLiteral("lblProduct"), twipsRect(TextLeft, 330, TextWidth, 480),
              QStringLiteral("XQTestDev"));
    makeLabel(this, QStringLiteral("lblVersion"), twipsRect(TextLeft, 810, TextWidth, 330),
              QStringLiteral("Version ") + version);
    QLabel* description =
        makeLabel(this, QStringLiteral("lblDescription"), twipsRect(TextLeft, 1140, TextWidth, 330),
                  QStringLiteral("Library for production test stations"));
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
