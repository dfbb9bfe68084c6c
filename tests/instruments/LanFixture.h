#pragma once

#include "GpibFixture.h"

#include <QMap>
#include <QProcess>
#include <QString>

#include <memory>

namespace XQTestDev::testing {

// The project's simulated LAN instruments: xq-sim-lan serving a bench file
// on loopback for the length of a test. Each test process has a loopback
// address of its own (VXI-11 needs port 111 of it) and sockets on free ports.
class SimulatedLanTest : public GpibTest {
protected:
    void TearDown() override;

    // The address this test's instruments listen on, "127.x.y.z".
    static QString address();
    // Starts the server; `bench` may use "ADDRESS" for address(). False when
    // it did not come up (its standard error in `failure`).
    bool startLan(const QByteArray& bench);
    // Ends the server (the instruments vanish) and starts it again with the
    // same ports (they come back).
    void stopLan();
    bool restartLan();
    QString failure;

    // "host:port" of each instrument by name, as served.
    QMap<QString, QString> served;
    QString socketResource(const QString& name) const;

private:
    bool launch(const QByteArray& bench);
    std::unique_ptr<QProcess> server_;
    QByteArray bench_;
};

} // namespace XQTestDev::testing
