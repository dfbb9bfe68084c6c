#include "VirtualFixture.h"

#include "virtual/ArrowRepeat.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace XQTestDev::testing {

void VirtualTest::TearDown() {
    setArrowPause({});
    // The windows of released objects go now, so that the next test in the
    // same process finds only its own.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SharedWindowsTest::TearDown();
}

QWidget* VirtualTest::topLevel(const QString& objectName) {
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == objectName) {
            EXPECT_EQ(found, nullptr) << "two windows named " << objectName.toStdString();
            found = widget;
        }
    }
    return found;
}

int VirtualTest::bgrOf(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

int VirtualTest::textColourOf(const QLabel* label) {
    return label ? bgrOf(label->palette().color(QPalette::WindowText)) : -1;
}

bool VirtualTest::textFits(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    return metrics.horizontalAdvance(label->text()) <= label->contentsRect().width() &&
           metrics.height() <= label->contentsRect().height();
}

bool VirtualTest::failMarkShown(QWidget* window) {
    auto* mark = control<QLabel>(window, QStringLiteral("lblFailMark"));
    auto* value = control<QLabel>(window, QStringLiteral("lblValue"));
    if (!mark || !value || !mark->isVisibleTo(window))
        return false;
    EXPECT_EQ(mark->text(), QStringLiteral("\u2717"));
    const QRect inside = value->contentsRect();
    const int textWidth = QFontMetrics(value->font()).horizontalAdvance(value->text());
    const int textLeft = value->x() + inside.left() + (inside.width() - textWidth) / 2;
    const int markRight = mark->x() + mark->width(); // the mark stands at its right edge
    EXPECT_LE(markRight, textLeft + 1) << "the mark keeps clear of the value";
    return true;
}

void VirtualTest::click(QWidget* control) {
    ASSERT_NE(control, nullptr);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

void VirtualTest::snapshot(QWidget* window, const QString& name) {
    const QString folder = qEnvironmentVariable("XQ_SNAPSHOT_DIR");
    if (folder.isEmpty() || !window)
        return;
    QDir().mkpath(folder);
    window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace XQTestDev::testing

#include "LedBarFixture.h"

namespace XQTestDev::testing {

void LedBarTest::SetUp() {
    VirtualTest::SetUp();
    bar = std::make_unique<XQLEDBar32>();
    bar->setScaleMin(0);
    bar->setScaleMax(40);
    bar->setMin(10);
    bar->setMax(30);
    changes = std::make_unique<QSignalSpy>(bar.get(), &XQLEDBar32::ValueChanged);
}

void LedBarTest::TearDown() {
    changes.reset();
    bar.reset();
    VirtualTest::TearDown();
}

int LedBarTest::litLeds() const {
    int lit = 0;
    while (lit < 40 && picture(QStringLiteral("imgLEDOff_%1").arg(lit))->isHidden())
        ++lit;
    for (int index = lit; index < 40; ++index) {
        if (picture(QStringLiteral("imgLEDOff_%1").arg(index))->isHidden())
            return -1;
    }
    return lit;
}

int LedBarTest::knobLeftPixels() const {
    const int left = picture(QStringLiteral("imgScroll"))->x();
    for (const char* other : {"imgScroll1", "imgScroll2"}) {
        if (picture(QLatin1String(other))->x() != left)
            return -1;
    }
    return left;
}

std::vector<double> LedBarTest::reportedValues() const {
    std::vector<double> values;
    for (const QList<QVariant>& change : *changes)
        values.push_back(change.at(0).toDouble());
    return values;
}

} // namespace XQTestDev::testing
