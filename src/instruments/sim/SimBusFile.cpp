#include "SimBusFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace xqsim {

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t\r\n") - begin + 1);
}

namespace {

bool readNumber(const std::string& text, double& number) {
    std::istringstream stream(text);
    stream.imbue(std::locale::classic());
    return static_cast<bool>(stream >> number);
}

bool parseReply(const std::string& text, Reply& reply) {
    std::istringstream words(text);
    std::string kind;
    words >> kind;
    if (kind == "timeout") {
        reply.kind = Reply::Kind::Timeout;
        return true;
    }
    if (kind == "text" || kind == "unterminated") {
        reply.kind = kind == "text" ? Reply::Kind::Text : Reply::Kind::Unterminated;
        reply.text = trimmed(text.substr(kind.size()));
        return true;
    }
    if (kind == "close") {
        reply.kind = Reply::Kind::Close;
        return true;
    }
    if (kind == "filled") {
        reply.kind = Reply::Kind::Filled;
        return static_cast<bool>(words >> reply.length) && reply.length >= 0;
    }
    if (kind != "number")
        return false;
    reply.kind = Reply::Kind::Number;
    std::string word;
    if (!(words >> word) || !readNumber(word, reply.value))
        return false;
    while (words >> word) {
        std::string amount;
        if (!(words >> amount))
            return false;
        double number = 0;
        if (!readNumber(amount, number))
            return false;
        if (word == "noise")
            reply.noise = number;
        else if (word == "drift")
            reply.drift = number;
        else if (word == "digits")
            reply.digits = std::clamp(static_cast<int>(number), 0, 12);
        else
            return false;
    }
    return true;
}

struct Reader {
    BusDescription bus;
    std::string folder;
    Instrument* instrument = nullptr;
    LanInstrument* lan = nullptr;
    bool inBus = false;
    int board = -1;

    bool section(const std::string& header) {
        std::istringstream words(header);
        std::string kind;
        words >> kind;
        instrument = nullptr;
        lan = nullptr;
        inBus = kind == "bus";
        board = -1;
        if (kind == "board")
            return static_cast<bool>(words >> board) && (bus.boards.push_back(board), true);
        if (kind == "lan") {
            bus.lanInstruments.push_back({});
            lan = &bus.lanInstruments.back();
            instrument = &lan->instrument;
            std::getline(words, instrument->name);
            instrument->name = trimmed(instrument->name);
            return !instrument->name.empty();
        }
        if (kind == "device") {
            bus.instruments.push_back({});
            instrument = &bus.instruments.back();
            std::getline(words, instrument->name);
            instrument->name = trimmed(instrument->name);
            return !instrument->name.empty();
        }
        return inBus;
    }

    bool entry(const std::string& key, const std::string& value) {
        if (inBus && key == "transcript") {
            bus.transcript = (value.empty() || value[0] == '/') ? value : folder + value;
            return true;
        }
        if (board >= 0 && key == "present") {
            if (value == "no") {
                bus.boards.erase(std::remove(bus.boards.begin(), bus.boards.end(), board),
                                 bus.boards.end());
                bus.absentBoards.push_back(board);
            }
            return value == "no" || value == "yes";
        }
        if (lan && lanEntry(key, value))
            return true;
        return instrument && instrumentEntry(key, value);
    }

    bool lanEntry(const std::string& key, const std::string& value) {
        if (key == "protocol") {
            lan->protocol = value;
            return value == "socket" || value == "vxi11";
        }
        if (key == "address") {
            lan->host = value;
            return value.rfind("127.", 0) == 0; // loopback only
        }
        if (key == "port") {
            double number = 0;
            return readNumber(value, number) && number >= 0 && number <= 65535 &&
                   (lan->port = static_cast<int>(number), true);
        }
        return false;
    }

    bool instrumentEntry(const std::string& key, const std::string& value) {
        if (key == "silent after") {
            double number = 0;
            return readNumber(value, number) &&
                   (instrument->silentAfter = static_cast<int>(number), true);
        }
        if (key == "board" || key == "address" || key == "delay") {
            double number = 0;
            if (!readNumber(value, number))
                return false;
            (key == "board"     ? instrument->board
             : key == "address" ? instrument->address
                                : instrument->delayMs) = static_cast<int>(number);
            return true;
        }
        if (key == "idn") {
            Reply reply;
            reply.text = value;
            instrument->queries["*IDN?"] = reply;
            return true;
        }
        if (key.rfind("query ", 0) == 0) {
            Reply reply;
            return parseReply(value, reply) &&
                   (instrument->queries[upperCase(trimmed(key.substr(6)))] = reply, true);
        }
        if (key.rfind("fail ", 0) == 0) {
            double code = 0;
            return readNumber(value, code) &&
                   (instrument->failingWrites[upperCase(trimmed(key.substr(5)))] =
                        static_cast<int>(code),
                    true);
        }
        return false;
    }
};

} // namespace

std::optional<BusDescription> readBusFile(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        return std::nullopt;
    Reader reader;
    const auto slash = path.find_last_of('/');
    reader.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#' || text[0] == ';')
            continue;
        bool understood = false;
        if (text.front() == '[' && text.back() == ']') {
            understood = reader.section(trimmed(text.substr(1, text.size() - 2)));
        } else if (const auto equals = text.find('='); equals != std::string::npos) {
            understood =
                reader.entry(trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1)));
        }
        if (!understood)
            std::fprintf(stderr, "xqgpib-sim: %s:%d not understood: %s\n", path.c_str(), number,
                         text.c_str());
    }
    if (reader.bus.boards.empty() && reader.bus.absentBoards.empty())
        reader.bus.boards.push_back(0);
    return reader.bus;
}

} // namespace xqsim
