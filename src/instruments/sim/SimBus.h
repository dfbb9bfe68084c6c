#pragma once

#include "SimBusFile.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace xqsim {

// What the last call left, as linux-gpib keeps it per thread.
struct CallStatus {
    int ibsta = 0;
    int iberr = 0;
    long ibcntl = 0;
};

// The simulated bus: its boards, its instruments and what each has to say
// next. Every operation sets the status of the calling thread.
class SimBus {
public:
    explicit SimBus(const std::string& busFile);
    ~SimBus();

    int openDevice(int board, int pad, int sad);
    int find(const std::string& name);
    void write(int ud, const std::string& bytes);
    void writeFile(int ud, const char* path);
    void read(int ud, char* buffer, long count);
    void interfaceClear(int board);
    void findListeners(int board, const unsigned short* pads, unsigned short* results, int limit);
    void sendList(int board, const unsigned short* addresses, const std::string& bytes);
    void receive(int board, unsigned short address, char* buffer, long count);
    void clearDevices(int board, const unsigned short* addresses);

private:
    struct Descriptor {
        int board = 0;
        int address = 0;
    };
    struct Pending {
        std::string command; // the last query, answered by the next read
    };

    bool boardPresent(int board) const;
    bool checkBoard(int board);
    Instrument* instrumentAt(int board, int address);
    Descriptor* descriptor(int ud);
    void deliver(Instrument& instrument, const std::string& command);
    void answer(Instrument& instrument, char* buffer, long count);
    std::string replyText(Instrument& instrument, const std::string& query, bool& timedOut);
    void succeed(long count, int extraBits = 0);
    void fail(int error, int extraBits = 0);
    void note(const std::string& operation);

    BusDescription bus_;
    std::vector<Descriptor> descriptors_;
    std::vector<Pending> pending_; // one per instrument
    std::mt19937 random_;
    std::FILE* transcript_ = nullptr;
};

CallStatus& threadStatus();
SimBus& bus();

} // namespace xqsim
