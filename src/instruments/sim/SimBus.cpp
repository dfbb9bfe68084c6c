#include "SimBus.h"

#include "SimReplies.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <thread>

namespace xqsim {

namespace {

constexpr int ERR = 0x8000, TIMO = 0x4000, END = 0x2000, CMPL = 0x0100;
constexpr int EDVR = 0, ENOL = 2, EARG = 4, EABO = 6, ENEB = 7, EFSO = 12;
constexpr int FirstDeviceDescriptor = 16; // board descriptors come first
constexpr unsigned short NOADDR = 0xFFFF;

std::string commandOf(const std::string& bytes) {
    return upperCase(trimmed(bytes));
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '"')
            out += "\\\"";
        else
            out += c;
    }
    return out + "\"";
}

} // namespace

CallStatus& threadStatus() {
    // Initial-exec: the driver is loaded with dlopen, and a dynamic TLS block
    // of a loaded driver trips LeakSanitizer's thread scan at exit.
    thread_local CallStatus status __attribute__((tls_model("initial-exec")));
    return status;
}

// The bus is described again whenever XQ_GPIB_SIM_BUS names another file.
SimBus& bus() {
    static std::unique_ptr<SimBus> instance;
    static std::string describedBy;
    const char* env = std::getenv("XQ_GPIB_SIM_BUS");
    const std::string path = env ? env : "";
    if (!instance || path != describedBy) {
        instance.reset();
        instance = std::make_unique<SimBus>(path);
        describedBy = path;
    }
    return *instance;
}

SimBus::SimBus(const std::string& path) : random_(std::random_device{}()) {
    std::optional<BusDescription> described;
    if (!path.empty())
        described = readBusFile(path);
    if (!described) {
        std::fprintf(stderr,
                     "xqgpib-sim: no bus file (XQ_GPIB_SIM_BUS=%s): board 0, no instruments\n",
                     path.c_str());
        described = BusDescription{};
        described->boards.push_back(0);
    }
    bus_ = std::move(*described);
    pending_.resize(bus_.instruments.size());
    if (!bus_.transcript.empty())
        transcript_ = std::fopen(bus_.transcript.c_str(), "a");
}

SimBus::~SimBus() {
    if (transcript_)
        std::fclose(transcript_);
}

void SimBus::note(const std::string& operation) {
    if (!transcript_)
        return;
    const CallStatus& status = threadStatus();
    std::fprintf(transcript_, "%s -> ibsta 0x%04X iberr %d ibcntl %ld\n", operation.c_str(),
                 static_cast<unsigned>(status.ibsta) & 0xFFFFu, status.iberr, status.ibcntl);
    std::fflush(transcript_);
}

void SimBus::succeed(long count, int extraBits) {
    threadStatus() = {CMPL | extraBits, 0, count};
}

void SimBus::fail(int error, int extraBits) {
    threadStatus() = {ERR | CMPL | extraBits, error, 0};
}

bool SimBus::boardPresent(int board) const {
    return std::find(bus_.boards.begin(), bus_.boards.end(), board) != bus_.boards.end();
}

bool SimBus::checkBoard(int board) {
    if (boardPresent(board))
        return true;
    fail(ENEB);
    return false;
}

Instrument* SimBus::instrumentAt(int board, int address) {
    for (Instrument& instrument : bus_.instruments) {
        if (instrument.board == board && instrument.address == address)
            return &instrument;
    }
    return nullptr;
}

SimBus::Descriptor* SimBus::descriptor(int ud) {
    const long index = static_cast<long>(ud) - FirstDeviceDescriptor;
    if (index < 0 || index >= static_cast<long>(descriptors_.size()))
        return nullptr;
    return &descriptors_[static_cast<size_t>(index)];
}

int SimBus::openDevice(int board, int pad, int sad) {
    int ud = -1;
    if (!checkBoard(board)) {
    } else if (pad < 0 || pad > 30 || (sad != 0 && (sad < 0x60 || sad > 0x7E))) {
        fail(EARG);
    } else {
        descriptors_.push_back({board, pad});
        ud = FirstDeviceDescriptor + static_cast<int>(descriptors_.size()) - 1;
        succeed(0);
    }
    note("ibdev(board " + std::to_string(board) + ", pad " + std::to_string(pad) +
         ") = " + std::to_string(ud));
    return ud;
}

int SimBus::find(const std::string& name) {
    int ud = -1;
    const std::string upper = upperCase(name);
    if (upper.rfind("GPIB", 0) == 0 && upper.size() > 4 &&
        std::all_of(upper.begin() + 4, upper.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int board = std::atoi(upper.c_str() + 4);
        if (checkBoard(board)) {
            ud = board;
            succeed(0);
        }
    } else {
        const auto named =
            std::find_if(bus_.instruments.begin(), bus_.instruments.end(),
                         [&](const Instrument& i) { return upperCase(i.name) == upper; });
        if (named == bus_.instruments.end())
            fail(EDVR);
        else
            ud = openDevice(named->board, named->address, 0);
    }
    note("ibfind(" + quoted(name) + ") = " + std::to_string(ud));
    return ud;
}

void SimBus::deliver(Instrument& instrument, const std::string& command) {
    pending_[static_cast<size_t>(&instrument - bus_.instruments.data())].command = command;
}

void SimBus::write(int ud, const std::string& bytes) {
    const Descriptor* device = descriptor(ud);
    Instrument* instrument = device ? instrumentAt(device->board, device->address) : nullptr;
    const std::string command = commandOf(bytes);
    if (!device) {
        fail(EDVR);
    } else if (!instrument) {
        fail(ENOL);
    } else if (const auto failing = instrument->failingWrites.find(command);
               failing != instrument->failingWrites.end()) {
        fail(failing->second);
    } else {
        deliver(*instrument, command);
        succeed(static_cast<long>(bytes.size()));
    }
    note("ibwrt(" + std::to_string(ud) + ", " + quoted(bytes) + ")");
}

void SimBus::writeFile(int ud, const char* path) {
    std::ifstream file(path ? path : "", std::ios::binary);
    if (!file) {
        fail(EFSO);
        note(std::string("ibwrtf(") + std::to_string(ud) + ", " + quoted(path ? path : "") + ")");
        return;
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    write(ud, bytes);
}

std::string SimBus::replyText(Instrument& instrument, const std::string& query, bool& timedOut) {
    timedOut = false;
    const auto found = instrument.queries.find(query);
    if (found == instrument.queries.end()) {
        timedOut = true; // an instrument has nothing to say to a command
        return {};
    }
    std::string bytes = replyBytes(found->second, random_);
    timedOut = bytes.empty();
    return bytes;
}

void SimBus::answer(Instrument& instrument, char* buffer, long count) {
    if (instrument.delayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(instrument.delayMs));
    Pending& pending = pending_[static_cast<size_t>(&instrument - bus_.instruments.data())];
    bool timedOut = false;
    const std::string text =
        pending.command.empty() ? std::string() : replyText(instrument, pending.command, timedOut);
    pending.command.clear();
    if (text.empty()) {
        fail(EABO, TIMO);
        return;
    }
    const long copied = std::min(count, static_cast<long>(text.size()));
    if (copied > 0)
        std::memcpy(buffer, text.data(), static_cast<size_t>(copied));
    succeed(copied, copied == static_cast<long>(text.size()) ? END : 0);
}

void SimBus::read(int ud, char* buffer, long count) {
    const Descriptor* device = descriptor(ud);
    Instrument* instrument = device ? instrumentAt(device->board, device->address) : nullptr;
    if (!device)
        fail(EDVR);
    else if (!instrument)
        fail(ENOL);
    else
        answer(*instrument, buffer, count);
    note("ibrd(" + std::to_string(ud) + ", " + std::to_string(count) + ") = " +
         quoted(std::string(buffer, static_cast<size_t>(std::max(0L, threadStatus().ibcntl)))));
}

void SimBus::interfaceClear(int board) {
    if (checkBoard(board))
        succeed(0);
    note("SendIFC(" + std::to_string(board) + ")");
}

void SimBus::findListeners(int board, const unsigned short* pads, unsigned short* results,
                           int limit) {
    if (checkBoard(board)) {
        long found = 0;
        for (const unsigned short* pad = pads; *pad != NOADDR && found < limit; ++pad) {
            if (instrumentAt(board, *pad))
                results[found++] = *pad;
        }
        if (found == 0)
            fail(ENOL); // no listener on the bus answers
        else
            succeed(found);
    }
    note("FindLstn(" + std::to_string(board) + ") " + std::to_string(threadStatus().ibcntl) +
         " listeners");
}

void SimBus::sendList(int board, const unsigned short* addresses, const std::string& bytes) {
    if (checkBoard(board)) {
        int listeners = 0;
        for (const unsigned short* address = addresses; *address != NOADDR; ++address) {
            if (Instrument* instrument = instrumentAt(board, *address)) {
                deliver(*instrument, commandOf(bytes));
                ++listeners;
            }
        }
        if (listeners == 0)
            fail(ENOL);
        else
            succeed(static_cast<long>(bytes.size()));
    }
    note("SendList(" + std::to_string(board) + ", " + quoted(bytes) + ")");
}

void SimBus::receive(int board, unsigned short address, char* buffer, long count) {
    if (checkBoard(board)) {
        if (Instrument* instrument = instrumentAt(board, address))
            answer(*instrument, buffer, count);
        else
            fail(ENOL);
    }
    note("Receive(" + std::to_string(board) + ", " + std::to_string(address) + ") " +
         std::to_string(threadStatus().ibcntl) + " bytes");
}

void SimBus::clearDevices(int board, const unsigned short* addresses) {
    if (checkBoard(board)) {
        for (const unsigned short* address = addresses; *address != NOADDR; ++address) {
            if (Instrument* instrument = instrumentAt(board, *address))
                deliver(*instrument, std::string());
        }
        succeed(0);
    }
    note("DevClearList(" + std::to_string(board) + ")");
}

} // namespace xqsim
