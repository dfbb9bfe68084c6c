#pragma once

#include "instruments/ReadingConversion.h"
#include "instruments/Transport.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>

namespace XQTestDev {

class ClockTimer;

class DevicePanel;
class XQGPIB32;

// The values a panel holds for its readings, handed over by Execute and Show.
struct PanelSettings {
    QVariant deviceName;
    std::shared_ptr<Transport> transport; // the owner's open instrument
    bool disableErrMessage = false;       // the owner's
    QString readCommand;
    ConversionSettings conversion; // delimiter, scale factor, offset, unit
    bool simulateMode = false;
    bool alwaysOnTop = true;
    QString cabReference;
};

// The reading cycle of one panel: write the read command through the panel's
// own reader, read, convert, show, raise ValueChanged when the number moved.
// The reader is a second instrument object; after a failed write or read it
// is released and no later cycle reaches the instrument until the next
// Execute gives the panel a new one.
class PanelReading : public QObject {
    Q_OBJECT

public:
    PanelReading(DevicePanel& panel, ClockTimer& timer);
    ~PanelReading() override;

    PanelSettings settings;
    double value = 0.0;
    QString rawValue;
    double lastEventValue = 0.0;

    void createReader();
    void releaseReader();
    bool hasReader() const { return !reader_.isNull(); }

    // The reading timer's interval; above 0 it runs.
    void setInterval(int milliseconds);
    void runCycle();

signals:
    void valueChanged(double Value, const QVariant& RawValue);
    // A write or read of a cycle failed and the reading stopped.
    void readingFailed();

private:
    bool readThroughReader(QString& reply);
    void stopAfterDriverError();
    void finishCycle();
    QString deviceNameText() const { return settings.deviceName.toString(); }

    DevicePanel& panel_;
    ClockTimer& timer_;
    QPointer<XQGPIB32> reader_;
};

} // namespace XQTestDev
