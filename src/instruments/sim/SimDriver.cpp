// The simulated bus's driver surface: linux-gpib's functions and per-thread
// status, so the library loads it exactly as it loads libgpib.so.0.

#include "SimBus.h"

#include <string>

#define XQSIM_EXPORT extern "C" __attribute__((visibility("default")))

using xqsim::bus;
using xqsim::threadStatus;

namespace {

std::string bytesOf(const void* buffer, long count) {
    if (!buffer || count <= 0)
        return {};
    return std::string(static_cast<const char*>(buffer), static_cast<size_t>(count));
}

} // namespace

XQSIM_EXPORT int ibdev(int board_index, int pad, int sad, int, int, int) {
    return bus().openDevice(board_index, pad, sad);
}

XQSIM_EXPORT int ibfind(const char* name) {
    return bus().find(name ? name : "");
}

XQSIM_EXPORT int ibwrt(int ud, const void* buf, long count) {
    bus().write(ud, bytesOf(buf, count));
    return threadStatus().ibsta;
}

XQSIM_EXPORT int ibwrtf(int ud, const char* file_path) {
    bus().writeFile(ud, file_path);
    return threadStatus().ibsta;
}

XQSIM_EXPORT int ibrd(int ud, void* buf, long count) {
    bus().read(ud, static_cast<char*>(buf), count);
    return threadStatus().ibsta;
}

XQSIM_EXPORT void SendIFC(int board) {
    bus().interfaceClear(board);
}

XQSIM_EXPORT void FindLstn(int board, const unsigned short pads[], unsigned short results[],
                           int limit) {
    bus().findListeners(board, pads, results, limit);
}

XQSIM_EXPORT void SendList(int board, const unsigned short addresses[], const void* buf, long count,
                           int) {
    bus().sendList(board, addresses, bytesOf(buf, count));
}

XQSIM_EXPORT void Receive(int board, unsigned short address, void* buf, long count, int) {
    bus().receive(board, address, static_cast<char*>(buf), count);
}

XQSIM_EXPORT void DevClearList(int board, const unsigned short addresses[]) {
    bus().clearDevices(board, addresses);
}

XQSIM_EXPORT int ThreadIbsta() {
    return threadStatus().ibsta;
}

XQSIM_EXPORT int ThreadIberr() {
    return threadStatus().iberr;
}

XQSIM_EXPORT int ThreadIbcnt() {
    return static_cast<int>(threadStatus().ibcntl);
}

XQSIM_EXPORT long ThreadIbcntl() {
    return threadStatus().ibcntl;
}
