#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace XQTestDev {

class XQLEDBar32Private;

// A virtual instrument shown as a horizontal bar of 40 LEDs with a readout
// (frmLEDBarHor): the station program sets a scale and a pass band and feeds
// it values, for example while the operator turns a trimmer. When adjusting
// is allowed, the operator moves the value with the arrows, the knob or the
// keyboard. Every change of the shown value raises ValueChanged.
class XQTESTDEV_EXPORT XQLEDBar32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQLEDBar32)

public:
    explicit XQLEDBar32(QObject* parent = nullptr);
    ~XQLEDBar32() override;

    // Readout colours as 0x00BBGGRR: green and red until set.
    int DigitColorPass() const;
    void setDigitColorPass(int color);
    int DigitColorFail() const;
    void setDigitColorFail(int color);

    // Where Show puts the window; 0 (or any value outside 1 to 9) uses Top
    // and Left, in twips. Setting Top or Left sets Position to 0; Show stores
    // the place it chose back into both.
    Positions Position() const;
    void setPosition(Positions position);
    QVariant Top() const;
    void setTop(const QVariant& top);
    QVariant Left() const;
    void setLeft(const QVariant& left);
    // The window's current size in twips.
    int Height() const;
    int Width() const;

    // Decimals of the readout, and the unit text after it.
    int DecimalPoint() const;
    void setDecimalPoint(int decimals);
    QString Suffix() const;
    void setSuffix(const QString& suffix);
    bool AlwaysOnTop() const;
    void setAlwaysOnTop(bool onTop);

    // Pass band and scale, stored as given; Show checks them.
    double Min() const;
    void setMin(double min);
    double Max() const;
    void setMax(double max);
    double ScaleMin() const;
    void setScaleMin(double scaleMin);
    double ScaleMax() const;
    void setScaleMax(double scaleMax);
    // The step of one arrow press when it is not 0 and not more than one
    // LED's worth of the scale.
    double PreciseStep() const;
    void setPreciseStep(double step);

    // The window's name on its cabinet shelf.
    QString CabReference() const;
    void setCabReference(const QString& reference);

    // The value and pass state last reported by ValueChanged.
    double Value() const;
    bool IsPassed() const;

    // Checks the settings (a message and nothing shown when they do not fit)
    // and shows the bar; AllowAdjust lets the operator move the value.
    void Show(bool AllowAdjust = true);
    // Hides the window at once, without the cabinet.
    void Hide();
    void SendValue(double Value);
    // Closes the window for good (a later Show opens a fresh one).
    void Done();

signals:
    void ValueChanged(double Value, bool IsPassed);

private:
    std::unique_ptr<XQLEDBar32Private> d;
};

} // namespace XQTestDev
