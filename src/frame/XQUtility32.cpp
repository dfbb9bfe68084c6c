#include <XQTestDev/XQUtility32.h>

#include "frame/LibraryState.h"
#include "frame/XQUtility32Private.h"

namespace XQTestDev {

XQUtility32::XQUtility32(QObject* parent)
    : QObject(parent), d(std::make_unique<XQUtility32Private>()) {
    ensureLibraryStarted();
}

XQUtility32::~XQUtility32() = default;

QString libraryVersion() {
    return QStringLiteral("1.0.2");
}

QString XQUtility32::GetDLLVersion() const {
    return libraryVersion();
}

} // namespace XQTestDev
