#pragma once

#include "instruments/GpibApi.h"

#include <QByteArray>
#include <QString>

#include <array>

namespace XQTestDev {

// One operation per driver function. Each binds the thread when needed, makes
// the call and refreshes the mirrors (GpibBinding.h) before it returns; with
// no usable driver nothing is called and the mirrors say "error, code 0".

// An address list: up to 30 addresses ended by the no-address mark.
using GpibAddressList = std::array<Addr4882_t, 31>;

int gpibOpenByAddress(int board, int primaryAddress, int secondaryAddress, int timeoutCode,
                      int sendEoi, int eosMode);
int gpibOpenByName(const QString& name);
void gpibWrite(int descriptor, const QByteArray& bytes);
void gpibWriteFile(int descriptor, const QString& path);
void gpibClear(int descriptor); // nothing when the driver has no ibclr
// The bytes the driver reports as received, never more than `bufferSize`.
QByteArray gpibRead(int descriptor, long bufferSize);

void gpibSendIFC(int board);
void gpibFindListeners(int board, const GpibAddressList& addresses, GpibAddressList& listeners,
                       int limit);
void gpibDevClearList(int board, const GpibAddressList& addresses);
void gpibSendList(int board, const GpibAddressList& addresses, const QByteArray& bytes,
                  int eotMode);

struct GpibReceived {
    QByteArray buffer; // the whole buffer, filled with `fill` before the call
    long count = 0;    // bytes received, within 0 and the buffer's size
};
GpibReceived gpibReceive(int board, Addr4882_t address, long bufferSize, int termination,
                         char fill);

// Texts go to the driver as single-byte strings.
QByteArray toDriverText(const QString& text);
QString fromDriverText(const QByteArray& bytes);
// Spaces only: an instrument's line end belongs to its reply.
QString withoutOuterBlanks(const QString& text);

} // namespace XQTestDev
