#pragma once

// The C surface of a GPIB driver library as linux-gpib declares it, and the
// constants this library passes to it. Only these functions are ever called.

extern "C" {
using Addr4882_t = unsigned short;

using GpibDevFn = int (*)(int board, int pad, int sad, int timo, int sendEoi, int eosMode);
using GpibFindFn = int (*)(const char* name);
using GpibWriteFn = int (*)(int ud, const void* buffer, long count);
using GpibWriteFileFn = int (*)(int ud, const char* filePath);
using GpibReadFn = int (*)(int ud, void* buffer, long count);
using GpibSendIfcFn = void (*)(int board);
using GpibFindListenersFn = void (*)(int board, const Addr4882_t pads[], Addr4882_t results[],
                                     int limit);
using GpibSendListFn = void (*)(int board, const Addr4882_t addresses[], const void* buffer,
                                long count, int eotMode);
using GpibReceiveFn = void (*)(int board, Addr4882_t address, void* buffer, long count,
                               int termination);
using GpibClearFn = int (*)(int ud);
using GpibDevClearListFn = void (*)(int board, const Addr4882_t addresses[]);
using GpibThreadIntFn = int (*)();
using GpibThreadLongFn = long (*)();
using GpibRegisterFn = int (*)(int* ibsta, int* iberr, int* ibcnt, long* ibcntl);
using GpibUnregisterFn = int (*)();
}

namespace XQTestDev::gpib {

inline constexpr Addr4882_t NoAddress = 0xFFFF; // NOADDR, ends an address list
inline constexpr int NLend = 2;                 // linux-gpib: newline sent with END
inline constexpr int STOPend = 0x100;           // stop a receive at END

inline constexpr int ErrorBit = 0x8000;
inline constexpr int TimeoutBit = 0x4000;
inline constexpr int EndBit = 0x2000;
inline constexpr int CompleteBit = 0x0100;

inline constexpr int FirstAddress = 1;
inline constexpr int LastAddress = 30;

} // namespace XQTestDev::gpib
