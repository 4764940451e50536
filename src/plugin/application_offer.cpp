#include "plugin/application_offer.h"

#include <exception>

#include "link/requests.h"

PossibleActions applicationOffer(const std::string& pipeName, std::chrono::milliseconds limit) {
    PossibleActions actions;
    try {
        queryPossibleActions(pipeName, actions, limit);
    } catch (const std::exception&) {
        // A half-read answer offers nothing either.
        actions.clearAll();
    }
    return actions;
}
