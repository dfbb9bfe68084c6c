#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace XQTestDev {

class XQVirtualDevice32Private;

// A virtual instrument for a reading the station cannot take by itself: a
// small panel (frmVirtualDevice) shows the value sent to it, large and
// coloured by whether it lies within Min and Max, and the operator confirms
// it with OK or rejects it with Cancel. The panel can be dragged, put away
// into the cabinet and brought back by Show.
class XQTESTDEV_EXPORT XQVirtualDevice32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQVirtualDevice32)

public:
    explicit XQVirtualDevice32(QObject* parent = nullptr);
    ~XQVirtualDevice32() override;

    // Colours as 0x00BBGGRR: green and red until set.
    int DigitColorPass() const;
    void setDigitColorPass(int color);
    int DigitColorFail() const;
    void setDigitColorFail(int color);

    // Where Show puts the panel; 0 (or any value outside 1 to 9) uses Top and
    // Left, in twips. Setting Top or Left sets Position to 0; Show stores the
    // place it chose back into both.
    Positions Position() const;
    void setPosition(Positions position);
    QVariant Top() const;
    void setTop(const QVariant& top);
    QVariant Left() const;
    void setLeft(const QVariant& left);
    // The panel's current size in twips.
    int Height() const;
    int Width() const;

    // Unit text shown after the value.
    QString Suffix() const;
    void setSuffix(const QString& suffix);
    bool AlwaysOnTop() const;
    void setAlwaysOnTop(bool onTop);

    // The pass band; -1e308 and 1e308 mean no limit. A limit that would cross
    // the other is refused with a message and the old one stays.
    double Min() const;
    void setMin(double min);
    double Max() const;
    void setMax(double max);

    // The panel's message line.
    QString Caption() const;
    void setCaption(const QString& caption);
    // The panel's name on its cabinet shelf.
    QString CabReference() const;
    void setCabReference(const QString& reference);

    // The last value sent, and whether it passed.
    double Value() const;
    bool IsPassed() const;

    void Show();
    // Hides the panel at once, without the cabinet.
    void Hide();
    // Shows a new value with DecimalPoint decimals ("#,##0.00" for 2).
    void SendValue(double Value, const QVariant& DecimalPoint = 2);
    // Closes the panel for good (a later Show opens a fresh one).
    void Done();

signals:
    void OKClick(double SentValue, bool IsPassed);
    void CancelClick(double SentValue, bool IsPassed);

private:
    std::unique_ptr<XQVirtualDevice32Private> d;
};

} // namespace XQTestDev
