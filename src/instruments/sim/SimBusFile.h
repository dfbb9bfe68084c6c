#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace xqsim {

// How an instrument answers one query.
struct Reply {
    // Unterminated: the text without its line feed; Close: the instrument
    // drops the connection; Filled: `length` digits and a line feed.
    enum class Kind { Text, Number, Timeout, Unterminated, Close, Filled };
    Kind kind = Kind::Text;
    std::string text;   // Text, Unterminated
    long length = 0;    // Filled
    double value = 0.0; // Number: the starting value
    double noise = 0.0; // Number: uniform noise of this size either way
    double drift = 0.0; // Number: added after every answer
    int digits = 6;     // Number: digits after the point, in exponent form
};

struct Instrument {
    std::string name; // its ibfind name
    int board = 0;
    int address = 0;
    int delayMs = 0;
    int silentAfter = -1;                     // answers this many queries, then none (-1: all)
    std::map<std::string, Reply> queries;     // by upper-case command
    std::map<std::string, int> failingWrites; // command -> iberr
};

// An instrument on the LAN, served on loopback by xq-sim-lan.
struct LanInstrument {
    Instrument instrument;
    std::string protocol = "socket"; // or "vxi11"
    std::string host = "127.0.0.1";
    int port = -1; // -1: 5025 for a socket, any free port for VXI-11
};

// A simulated bus as its description file gives it (format in the README).
struct BusDescription {
    std::vector<int> boards; // present boards; board 0 when none is listed
    std::vector<int> absentBoards;
    std::vector<Instrument> instruments;
    std::vector<LanInstrument> lanInstruments;
    std::string transcript; // path, empty for none
};

std::string upperCase(std::string text);
std::string trimmed(const std::string& text);

// Reads the file; unreadable lines are reported on standard error and skipped.
std::optional<BusDescription> readBusFile(const std::string& path);

} // namespace xqsim
