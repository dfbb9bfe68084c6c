#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

namespace XQTestDev {

class XQGPIB32Private;

// One bench instrument, with its panel window (frmPanelDevice): on a GPIB
// bus, on the LAN (raw SCPI socket or VXI-11) or on USB (USBTMC), chosen by
// DeviceName.
// Execute opens and identifies the instrument once, sends the pending one-shot
// commands and starts reading: once, or periodically on the panel every
// ReadInterval milliseconds. Progress goes to the status message window;
// failures come back as messages and ErrorStatus, never as exceptions.
//
// The driver is loaded at the first driver call from XQ_GPIB_LIBRARY (a path
// or file name), else linux-gpib's libgpib.so.0.
class XQTESTDEV_EXPORT XQGPIB32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQGPIB32)

public:
    explicit XQGPIB32(QObject* parent = nullptr);
    ~XQGPIB32() override;

    void Execute();
    // Writes `command` and returns the instrument's reply (without its line
    // end), through the same transport, status lines and messages as Execute;
    // the instrument is opened and identified first when it is not open. On a
    // failure the reply is empty, ErrorStatus is set and `failure` (when
    // given) receives the driver's status text and the system's reason.
    QString Query(const QString& command, QString* failure = nullptr);
    void ClearAllCommand();
    void Show();
    void Hide();
    void Done();
    // The instruments answering on the board: "<reply>,ADDRESS <n>" each.
    void ScanDevices(QVariantList& DevicesList);

    // Where the instrument is and how it is reached. DeviceName: a number is
    // a GPIB primary address, a text a configured GPIB name, and a VISA
    // resource string ("GPIB0::22::INSTR", "TCPIP::10.0.0.5::5025::SOCKET",
    // "TCPIP::10.0.0.5::INSTR", "USB::0x0957::0x1796::MY123::INSTR") chooses
    // the transport.
    QVariant DeviceName() const;
    void setDeviceName(const QVariant& name);
    // The open instrument's resource in canonical form; empty while none is
    // open. A configured GPIB name reads as itself.
    QString ResourceName() const;
    GPIB_BoardNumber BoardNumber() const;
    void setBoardNumber(GPIB_BoardNumber board);
    GPIB_TimeOut TimeOut() const;
    void setTimeOut(const QVariant& timeout);
    bool SimulateMode() const;
    void setSimulateMode(bool simulate);
    bool DisableErrMessage() const;
    void setDisableErrMessage(bool disable);
    bool ErrorStatus() const;
    void setErrorStatus(bool error);

    // What is sent.
    QString IDcommand() const;
    void setIDcommand(const QString& command);
    QString InitCommand1() const;
    void setInitCommand1(const QString& command);
    QString InitCommand2() const;
    void setInitCommand2(const QString& command);
    QString InitCommand3() const;
    void setInitCommand3(const QString& command);
    QString InitCommand4() const;
    void setInitCommand4(const QString& command);
    QString InitCommand5() const;
    void setInitCommand5(const QString& command);
    QString WriteFromFile() const;
    void setWriteFromFile(const QString& path);
    QString ReadCommand() const;
    void setReadCommand(const QString& command);
    double WaitForEachCommand() const;
    void setWaitForEachCommand(const QVariant& seconds);
    int ReadInterval() const;
    void setReadInterval(const QVariant& milliseconds);

    // How a reply becomes a reading.
    QString Delimited() const;
    void setDelimited(const QString& delimiter);
    double ScaleFactor() const;
    void setScaleFactor(double factor);
    double Offset() const;
    void setOffset(double offset);
    QString Unit() const;
    void setUnit(const QString& unit);
    double Value() const;
    QString RawValue() const;

    // What the panel shows.
    QString BrandName() const;
    void setBrandName(const QString& brand);
    QString ModelName() const;
    void setModelName(const QString& model);
    QString PanelStatus() const;
    void setPanelStatus(const QString& text);
    QString PanelOption() const;
    void setPanelOption(const QString& text);
    QString PanelParameter() const;
    void setPanelParameter(const QString& text);
    QString CabReference() const;
    void setCabReference(const QString& caption);
    int DigitColor() const;
    void setDigitColor(int color);
    bool AlwaysOnTop() const;
    void setAlwaysOnTop(bool onTop);
    bool PanelHide() const;
    void setPanelHide(bool hide);

    // The panel's place and size (twips).
    Positions PanelPosition() const;
    void setPanelPosition(const QVariant& position);
    QVariant PanelTop() const;
    void setPanelTop(const QVariant& top);
    QVariant PanelLeft() const;
    void setPanelLeft(const QVariant& left);
    int PanelHeight() const;
    int PanelWidth() const;

    // The status message window: one setting for every object of the process.
    Positions StatusPosition() const;
    void setStatusPosition(Positions position);
    QVariant StatusTop() const;
    void setStatusTop(const QVariant& top);
    QVariant StatusLeft() const;
    void setStatusLeft(const QVariant& left);
    bool StatusHide() const;
    void setStatusHide(bool hide);
    int StatusHeight() const;
    int StatusWidth() const;

signals:
    void ValueChanged(double Value, const QVariant& RawValue);

private:
    friend class XQGPIB32Private;
    std::unique_ptr<XQGPIB32Private> d;
};

} // namespace XQTestDev
