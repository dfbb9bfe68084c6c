#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace xqsim {

// How an instrument answers one query.
struct Reply {
    enum class Kind { Text, Number, Timeout };
    Kind kind = Kind::Text;
    std::string text;   // Text
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
    std::map<std::string, Reply> queries;     // by upper-case command
    std::map<std::string, int> failingWrites; // command -> iberr
};

// A simulated bus as its description file gives it (format in the README).
struct BusDescription {
    std::vector<int> boards; // present boards; board 0 when none is listed
    std::vector<int> absentBoards;
    std::vector<Instrument> instruments;
    std::string transcript; // path, empty for none
};

std::string upperCase(std::string text);
std::string trimmed(const std::string& text);

// Reads the file; unreadable lines are reported on standard error and skipped.
std::optional<BusDescription> readBusFile(const std::string& path);

} // namespace xqsim
