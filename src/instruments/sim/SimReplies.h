#pragma once

#include "SimBusFile.h"

#include <random>
#include <string>

namespace xqsim {

// The bytes an instrument sends for one reply: a text or a number with its
// line feed, an unterminated text without, `length` digits for a filled
// reply; nothing for a timeout or a closed connection. A number moves by its
// drift after every answer.
std::string replyBytes(Reply& reply, std::mt19937& random);

} // namespace xqsim
