// A GPIB driver library for the tests: it records every call with its
// arguments, one line each, into the file named by XQ_GPIB_RECORD, and answers
// from the script named by XQ_GPIB_SCRIPT. A script line is
//     <function> [sta=0xC100] [err=6] [cnt=12] [ret=5] [listeners=5,22] [reply=<rest of line>]
// and is used by the next call of that function; calls with no line left
// succeed (status 0x0100, error 0). `reply` understands \n, \r, \0 and \\.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#define RECORDING_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Step {
    int sta = 0x0100;
    int err = 0;
    long cnt = 0;
    bool hasCnt = false; // else the natural count of the call
    int ret = 0;
    bool hasRet = false;
    std::vector<unsigned short> listeners;
    std::string reply;
};

struct Status {
    int ibsta = 0;
    int iberr = 0;
    long ibcntl = 0;
};

thread_local Status status;
int* registeredSta = nullptr;
int* registeredErr = nullptr;
int* registeredCnt = nullptr;
long* registeredCntl = nullptr;

std::string unescaped(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == '0' ? '\0' : next;
    }
    return out;
}

Step parseStep(const std::string& rest) {
    Step step;
    const size_t replyAt = rest.find("reply=");
    std::istringstream words(rest.substr(0, replyAt));
    if (replyAt != std::string::npos)
        step.reply = unescaped(rest.substr(replyAt + 6));
    std::string word;
    while (words >> word) {
        const size_t equals = word.find('=');
        const std::string key = word.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
        if (key == "sta")
            step.sta = static_cast<int>(std::stol(value, nullptr, 0));
        else if (key == "err")
            step.err = std::stoi(value);
        else if (key == "cnt")
            step.cnt = std::stol(value, nullptr, 0), step.hasCnt = true;
        else if (key == "ret")
            step.ret = std::stoi(value), step.hasRet = true;
        else if (key == "listeners") {
            std::istringstream list(value);
            std::string address;
            while (std::getline(list, address, ','))
                step.listeners.push_back(static_cast<unsigned short>(std::stoi(address)));
        }
    }
    return step;
}

// The script is read again whenever XQ_GPIB_SCRIPT names another file, so
// tests that share one process each get their own.
std::map<std::string, std::deque<Step>>& script() {
    static std::map<std::string, std::deque<Step>> steps;
    static std::string loadedFrom;
    const char* env = std::getenv("XQ_GPIB_SCRIPT");
    const std::string path = env ? env : "";
    if (path == loadedFrom)
        return steps;
    loadedFrom = path;
    steps.clear();
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        const size_t space = line.find(' ');
        if (line.empty() || line[0] == '#')
            continue;
        steps[line.substr(0, space)].push_back(
            parseStep(space == std::string::npos ? "" : line.substr(space + 1)));
    }
    return steps;
}

Step nextStep(const std::string& function) {
    std::deque<Step>& queue = script()[function];
    if (queue.empty())
        return {};
    Step step = queue.front();
    queue.pop_front();
    return step;
}

void record(const std::string& line) {
    const char* path = std::getenv("XQ_GPIB_RECORD");
    if (!path)
        return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

std::string quoted(const void* bytes, long count) {
    std::string out = "\"";
    const char* text = static_cast<const char*>(bytes);
    for (long i = 0; text && i < count; ++i) {
        const char c = text[i];
        out += c == '\n' ? std::string("\\n") : c == '\r' ? std::string("\\r") : std::string(1, c);
    }
    return out + "\"";
}

std::string addressList(const unsigned short* addresses) {
    std::string out = "[";
    for (int i = 0; addresses && addresses[i] != 0xFFFF && i < 64; ++i)
        out += (i ? "," : "") + std::to_string(addresses[i]);
    return out + "]";
}

// Leaves the step's status for the Thread functions and the registered cells.
void finish(const Step& step, long naturalCount) {
    status = {step.sta, step.err, step.hasCnt ? step.cnt : naturalCount};
    if (registeredSta) {
        *registeredSta = status.ibsta;
        *registeredErr = status.iberr;
        *registeredCnt = static_cast<int>(status.ibcntl);
        *registeredCntl = status.ibcntl;
    }
}

long copyReply(const Step& step, void* buffer, long count) {
    const long copied = std::min(static_cast<long>(step.reply.size()), count);
    if (copied > 0)
        std::memcpy(buffer, step.reply.data(), static_cast<size_t>(copied));
    return copied;
}

} // namespace

RECORDING_EXPORT int ibdev(int board, int pad, int sad, int timo, int eoi, int eos) {
    record("ibdev(" + std::to_string(board) + ", " + std::to_string(pad) + ", " +
           std::to_string(sad) + ", " + std::to_string(timo) + ", " + std::to_string(eoi) + ", " +
           std::to_string(eos) + ")");
    const Step step = nextStep("ibdev");
    finish(step, 0);
    return step.hasRet ? step.ret : 5;
}

RECORDING_EXPORT int ibfind(const char* name) {
    record("ibfind(\"" + std::string(name ? name : "") + "\")");
    const Step step = nextStep("ibfind");
    finish(step, 0);
    return step.hasRet ? step.ret : 7;
}

RECORDING_EXPORT int ibwrt(int ud, const void* buf, long count) {
    record("ibwrt(" + std::to_string(ud) + ", " + quoted(buf, count) + ", " +
           std::to_string(count) + ")");
    finish(nextStep("ibwrt"), count);
    return status.ibsta;
}

RECORDING_EXPORT int ibwrtf(int ud, const char* path) {
    record("ibwrtf(" + std::to_string(ud) + ", \"" + std::string(path ? path : "") + "\")");
    finish(nextStep("ibwrtf"), 0);
    return status.ibsta;
}

RECORDING_EXPORT int ibrd(int ud, void* buf, long count) {
    record("ibrd(" + std::to_string(ud) + ", " + std::to_string(count) + ")");
    const Step step = nextStep("ibrd");
    finish(step, copyReply(step, buf, count));
    return status.ibsta;
}

RECORDING_EXPORT void SendIFC(int board) {
    record("SendIFC(" + std::to_string(board) + ")");
    finish(nextStep("SendIFC"), 0);
}

RECORDING_EXPORT void FindLstn(int board, const unsigned short pads[], unsigned short results[],
                               int limit) {
    record("FindLstn(" + std::to_string(board) + ", " + addressList(pads) + ", " +
           std::to_string(limit) + ")");
    const Step step = nextStep("FindLstn");
    long found = 0;
    for (const unsigned short address : step.listeners) {
        if (found < limit)
            results[found++] = address;
    }
    finish(step, found);
}

RECORDING_EXPORT void SendList(int board, const unsigned short addresses[], const void* buf,
                               long count, int eot) {
    record("SendList(" + std::to_string(board) + ", " + addressList(addresses) + ", " +
           quoted(buf, count) + ", " + std::to_string(count) + ", " + std::to_string(eot) + ")");
    finish(nextStep("SendList"), count);
}

RECORDING_EXPORT void Receive(int board, unsigned short address, void* buf, long count,
                              int termination) {
    record("Receive(" + std::to_string(board) + ", " + std::to_string(address) + ", " +
           std::to_string(count) + ", " + std::to_string(termination) + ")");
    const Step step = nextStep("Receive");
    finish(step, copyReply(step, buf, count));
}

RECORDING_EXPORT void DevClearList(int board, const unsigned short addresses[]) {
    record("DevClearList(" + std::to_string(board) + ", " + addressList(addresses) + ")");
    finish(nextStep("DevClearList"), 0);
}

RECORDING_EXPORT int ThreadIbsta() {
    return status.ibsta;
}
RECORDING_EXPORT int ThreadIberr() {
    return status.iberr;
}
RECORDING_EXPORT int ThreadIbcnt() {
    return static_cast<int>(status.ibcntl);
}
RECORDING_EXPORT long ThreadIbcntl() {
    return status.ibcntl;
}

#ifdef XQ_RECORDING_WITH_REGISTER
RECORDING_EXPORT int RegisterGpibGlobalsForThread(int* sta, int* err, int* cnt, long* cntl) {
    record("RegisterGpibGlobalsForThread");
    const Step step = nextStep("RegisterGpibGlobalsForThread");
    const int code = step.hasRet ? step.ret : 0;
    if (code == 0 || code == 1) {
        registeredSta = sta;
        registeredErr = err;
        registeredCnt = cnt;
        registeredCntl = cntl;
    }
    return code;
}

RECORDING_EXPORT int UnregisterGpibGlobalsForThread() {
    record("UnregisterGpibGlobalsForThread");
    registeredSta = nullptr;
    registeredErr = nullptr;
    registeredCnt = nullptr;
    registeredCntl = nullptr;
    return 0;
}
#endif
