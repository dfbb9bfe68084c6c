#include "instruments/UsbtmcDevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace XQTestDev {

namespace {

QString attribute(const QString& folder, const char* name) {
    QFile file(folder + QLatin1Char('/') + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).trimmed();
}

int hexAttribute(const QString& folder, const char* name) {
    bool ok = false;
    const int value = attribute(folder, name).toInt(&ok, 16);
    return ok ? value : -1;
}

// sysfs: class/usbmisc/usbtmcN/device is the USB interface; its parent
// folder is the USB device with the ids and the serial number.
bool matches(const QString& interfaceFolder, const InstrumentResource& resource) {
    const QString deviceFolder = QFileInfo(interfaceFolder).absolutePath();
    if (hexAttribute(deviceFolder, "idVendor") != resource.vendorId ||
        hexAttribute(deviceFolder, "idProduct") != resource.productId ||
        attribute(deviceFolder, "serial") != resource.serial)
        return false;
    return resource.interfaceNumber < 0 ||
           hexAttribute(interfaceFolder, "bInterfaceNumber") == resource.interfaceNumber;
}

} // namespace

UsbtmcMatch findUsbtmcNode(const InstrumentResource& resource, const UsbtmcPlaces& places) {
    const QDir classFolder(places.sysfs + QStringLiteral("/class/usbmisc"));
    const QStringList nodes =
        classFolder.entryList({QStringLiteral("usbtmc*")}, QDir::Dirs | QDir::System, QDir::Name);
    for (const QString& node : nodes) {
        const QString interfaceFolder =
            QFileInfo(classFolder.filePath(node) + QStringLiteral("/device")).canonicalFilePath();
        if (!interfaceFolder.isEmpty() && matches(interfaceFolder, resource))
            return {places.dev + QLatin1Char('/') + node, {}};
    }
    return {{},
            nodes.isEmpty()
                ? QStringLiteral("no usbtmc device is connected (is the usbtmc driver loaded?)")
                : QStringLiteral("no usbtmc device with these ids and serial number")};
}

} // namespace XQTestDev
