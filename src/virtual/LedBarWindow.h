#pragma once

#include "virtual/LedBarDisplay.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QMenu;

namespace XQTestDev {

class OverRangeMarks;
class PassBandMark;
class PressPictures;

// The LED bar meter's window (frmLEDBarHor): 40 LEDs, the readout, two arrow
// buttons, the slider knob and the activity light. Show fills in its fields;
// every refresh of its display is announced with `refreshed` so that its
// object can report the value.
class LedBarWindow : public QWidget {
    Q_OBJECT

public:
    static QSize designTwips();

    explicit LedBarWindow(QWidget* parent = nullptr);
    ~LedBarWindow() override;

    // What Show sets up: scale, limits, colours, readout and adjusting. The
    // value shown stays as it is.
    void configure(const LedBarFields& fields);
    // The value shown (clamped to the scale by the next refresh).
    void setValue(double value) { fields_.currentValue = value; }
    // The caption of the window's cabinet shelf.
    void setCabinetCaption(const QString& caption) { cabinetCaption_ = caption; }

    // Shows the disabled pictures over the arrows and the knob exactly when
    // adjusting is not allowed.
    void applyAdjustPermission();

    // Shows the current value: clamps it, writes the readout, lights the
    // LEDs, moves the knob when asked, and announces the value.
    void refresh(bool moveKnob);

    // Shrinks the window into the cabinet under its cabinet caption.
    void putAway();

signals:
    void refreshed(double value);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createLeds();
    void createArrows();
    void createKnob();
    void openMenu(const QPoint& globalPosition);

    // A held arrow: steps the value until the arrow is let go.
    void holdArrow(PressPictures& arrow, int direction);
    bool knobKey(QKeyEvent& event);
    bool knobMouse(QObject* watched, QMouseEvent& event);
    void placeKnob(int leftTwips);
    void toggleActivityLight();

    LedBarFields fields_;
    QString cabinetCaption_;

    std::array<QLabel*, LedCount> ledOff_{};
    QLabel* lblValue_ = nullptr;
    QLabel* failMark_ = nullptr; // "✗" beside a failed reading
    QLabel* imgLostFocus_ = nullptr;
    QLabel* leftDisabled_ = nullptr;
    QLabel* rightDisabled_ = nullptr;
    PressPictures* leftArrow_ = nullptr;
    PressPictures* rightArrow_ = nullptr;
    QLabel* knob_ = nullptr;
    QLabel* knobPressed_ = nullptr;
    QLabel* knobDisabled_ = nullptr;
    QWidget* knobFocus_ = nullptr; // a ring round the knob while it has the keyboard
    PassBandMark* passBand_ = nullptr;
    QMenu* mnuXQLEDBarHor_ = nullptr;
    OverRangeMarks* overRange_ = nullptr;

    int knobLeft_ = KnobLeftMost; // twips
    int rememberedX_ = 0;         // pixels within the knob
    bool knobDragging_ = false;
    PressPictures* keyHeld_ = nullptr; // the arrow held by an arrow key
    int litShown_ = -1;
    int colourShown_ = -1;
};

} // namespace XQTestDev
