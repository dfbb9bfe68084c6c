#pragma once

#include "SimLanDevice.h"

#include <string>

namespace xqsim {

// Serves one instrument as a raw SCPI socket: each line received is one
// command, a query's reply is sent back at once (after the instrument's
// delay). A failing command closes the connection. Runs on its own threads;
// false with `error` when the port cannot be had.
bool serveSocket(SimLanDevice& device, const std::string& host, int port, int& boundPort,
                 std::string& error);

} // namespace xqsim
