#pragma once

#include "SimLanDevice.h"

#include <string>

namespace xqsim {

// Serves one instrument over VXI-11: its core channel (create_link,
// device_write, device_read, device_clear, destroy_link) on host:port, and a
// portmapper on host:111 (TCP and UDP, versions 2 to 4) that names that
// port, since a VXI-11 client asks the portmapper of the instrument's host.
// Port 111 needs the right to bind privileged ports; one VXI-11 instrument
// per address.
bool serveVxi11(SimLanDevice& device, const std::string& host, int port, int& boundPort,
                std::string& error);

} // namespace xqsim
