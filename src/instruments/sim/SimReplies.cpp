#include "SimReplies.h"

#include <sstream>

namespace xqsim {

std::string replyBytes(Reply& reply, std::mt19937& random) {
    switch (reply.kind) {
    case Reply::Kind::Timeout:
    case Reply::Kind::Close:
        return {};
    case Reply::Kind::Text:
        return reply.text + "\n";
    case Reply::Kind::Unterminated:
        return reply.text;
    case Reply::Kind::Filled:
        return std::string(static_cast<size_t>(reply.length), '1') + "\n";
    case Reply::Kind::Number:
        break;
    }
    std::uniform_real_distribution<double> noise(-reply.noise, reply.noise);
    const double value = reply.value + (reply.noise > 0 ? noise(random) : 0.0);
    reply.value += reply.drift;
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::showpos << std::scientific;
    text.precision(reply.digits);
    text << value << "\n";
    return text.str();
}

} // namespace xqsim
