// xq-sim-lan: serves the [lan NAME] instruments of a bench file on loopback
// for as long as it runs (until SIGTERM or SIGINT). Each instrument is named
// on standard output as "lan NAME PROTOCOL ADDRESS:PORT", then "ready".

#include "SimBusFile.h"
#include "SimLanDevice.h"
#include "SimSocketServer.h"
#include "SimVxi11Server.h"

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <deque>

using namespace xqsim;

namespace {

constexpr int SocketPort = 5025;

} // namespace

int main(int argc, char** argv) {
    const char* env = std::getenv("XQ_GPIB_SIM_BUS");
    const std::string path = argc > 1 ? argv[1] : (env ? env : "");
    if (path.empty()) {
        std::fprintf(stderr, "usage: xq-sim-lan BENCH-FILE (or XQ_GPIB_SIM_BUS=BENCH-FILE)\n");
        return 2;
    }
    const std::optional<BusDescription> bench = readBusFile(path);
    if (!bench) {
        std::fprintf(stderr, "xq-sim-lan: cannot read %s\n", path.c_str());
        return 2;
    }
    // The signals end the program from here, whatever thread they reach.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::deque<SimLanDevice> devices; // stable addresses for the serving threads
    for (const LanInstrument& lan : bench->lanInstruments) {
        SimLanDevice& device = devices.emplace_back(lan.instrument);
        const bool vxi11 = lan.protocol == "vxi11";
        const int port = lan.port >= 0 ? lan.port : (vxi11 ? 0 : SocketPort);
        int bound = 0;
        std::string error;
        const bool serving = vxi11 ? serveVxi11(device, lan.host, port, bound, error)
                                   : serveSocket(device, lan.host, port, bound, error);
        if (!serving) {
            std::fprintf(stderr, "xq-sim-lan: cannot serve %s on %s:%d: %s\n",
                         lan.instrument.name.c_str(), lan.host.c_str(), port, error.c_str());
            return 1;
        }
        std::printf("lan %s %s %s:%d\n", lan.instrument.name.c_str(), lan.protocol.c_str(),
                    lan.host.c_str(), bound);
    }
    if (devices.empty())
        std::fprintf(stderr, "xq-sim-lan: %s has no [lan NAME] instrument\n", path.c_str());
    std::printf("ready\n");
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stop, &signal);
    std::_Exit(0);
}
