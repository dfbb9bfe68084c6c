#pragma once

#include "instruments/DevicePanel.h"
#include "instruments/Transport.h"
#include "ui/OwnedWindow.h"

#include <XQTestDev/XQGPIB32.h>

#include <QString>
#include <QVariant>

#include <array>
#include <functional>
#include <memory>

namespace XQTestDev {

// An instrument object's properties and private state, and the routines that
// talk to the driver for it: write, file write, read, pause and the status
// check. The panel's reader (a second XQGPIB32) uses the same routines.
class XQGPIB32Private {
public:
    explicit XQGPIB32Private(XQGPIB32& owner);
    ~XQGPIB32Private();

    XQGPIB32& q;

    int digitColor = -1;
    bool disableErrMessage = false;
    int timeOut = 13;
    int panelPosition = 0;
    QVariant panelTop;
    QVariant panelLeft;
    bool simulateMode = false;
    double scaleFactor = 1.0;
    double offset = 0.0;
    bool errorStatus = false;
    QString delimited;
    int readInterval = 0;
    QString unit;
    std::array<QString, 5> initCommands;
    QString writeFromFile;
    QString panelStatus;
    QString panelOption;
    QString panelParameter;
    double waitForEachCommand = 0.0;
    QString readCommand;
    QVariant deviceName;
    int boardNumber = 0;
    QString boardName = QStringLiteral("GPIB0");
    QString idCommand;
    QString brandName;
    QString modelName;
    QString cabReference;
    bool panelHide = false;
    bool alwaysOnTop = true;

    qint16 descriptor = 0; // below 1: not open; what the status lines show
    // How the instrument is reached once open; shared with the panel's reader.
    std::shared_ptr<Transport> transport;
    QString currentCommand;

    // The panel, created (loaded) on first use and gone once unloaded.
    DevicePanel& panel();
    DevicePanel* existingPanel() const { return panel_.existing(); }

    QString deviceNameText() const { return deviceName.toString(); }
    QString delimiter() const; // a line feed while none is set
    QString identificationQuery() const;

    // The driver routines (GpibDeviceIo.cpp). A write returns false when it
    // refused to send (no descriptor or name, a missing file): ErrorStatus is
    // then set and must not be cleared by a status check.
    bool writeCommand();
    bool writeFile();
    void writeToDevice(const std::function<void()>& send); // status lines around one write
    QString readReply();
    void pause() const;
    void checkStatus();                              // the transport's status
    void checkStatus(const TransportStatus& status); // a status of the bus itself

    // Execute's steps (GpibPrepare.cpp, GpibExecute.cpp).
    void prepare();
    void handOverToPanel();
    void showPanel();

    static XQGPIB32Private& of(XQGPIB32& object) { return *object.d; }

private:
    bool mayTalkToDevice();
    void showOnError(const QString& text) const;
    void clearOneShotCommands();
    bool openDevice();
    bool identify();
    bool sendOneShotCommands();

    OwnedWindow<DevicePanel> panel_;
};

} // namespace XQTestDev
