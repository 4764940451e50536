#pragma once

#include <chrono>
#include <string>

#include "message/possible_actions.h"

// How long a menu opening may wait for the application, the wait for its pipe included: short
// enough that the person opening the menu does not notice it.
constexpr std::chrono::milliseconds kMenuQueryLimit{80};

// What the application offers for this opening of the menu: its answer within `limit`, or
// nothing at all when it does not run, stays busy, answers late or answers with an error or
// nonsense. Never raises and reports nothing: the menu opens often, and the next opening asks
// again. A late answer is not replaced by an earlier one: a command offered on an old answer
// would wait for an application that has just proved silent.
PossibleActions applicationOffer(const std::string& pipeName,
                                 std::chrono::milliseconds limit = kMenuQueryLimit);
