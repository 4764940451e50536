#include "plugin/request_handlers.h"

#include <memory>
#include <string>
#include <vector>

#include "host/active_footage.h"
#include "host/footage_upload.h"
#include "host/project_query.h"
#include "message/possible_actions.h"
#include "plugin/deferred_tasks.h"
#include "plugin/plugin_state.h"
#include "tracking/transformations_xml.h"

namespace {

// Queues the task and answers Empty; a full queue refuses it with an Error.
void queueOrRefuse(Message& message, std::unique_ptr<DeferredTask> task) {
    std::size_t waiting = 0;
    if (!deferredTaskQueue().push(std::move(task), &waiting)) {
        writeErrorMessage(message,
                          "the host is busy: " + std::to_string(waiting) + " results wait to be applied");
        return;
    }
    message.clear();
}

}  // namespace

bool HandleRequest(Message& message) {
    switch (message.type()) {
        case MessageType::Underlay:
        case MessageType::Overlay:
            return ServeFootageRequest(message);
        case MessageType::Transformations:
            return ServeTransformations(message);
        case MessageType::Project:
            return ServeProject(message);
        case MessageType::PossibleActions:
            return ServePossibleActions(message);
        default:
            return false;
    }
}

bool ServeFootageRequest(Message& message) {
    try {
        writeFootageMessage(message, activeFootageUpload(message.type()));
    } catch (const UploadRefused& refusal) {
        writeErrorMessage(message, refusal.what());
    }
    return true;
}

bool ServeTransformations(Message& message) {
    if (!IsActiveAVLayer()) {
        writeErrorMessage(message, "there is no active layer");
        return true;
    }
    auto task = std::make_unique<ApplyTransformationsTask>();
    serializeTransformations(XmlArchive::reader(message.root()), task->transformations);
    queueOrRefuse(message, std::move(task));
    return true;
}

bool ServeProject(Message& message) {
    if (!IsProjectOpen()) {
        writeErrorMessage(message, "there is no open project");
        return true;
    }
    auto task = std::make_unique<ImportProjectTask>();
    serializeProject(XmlArchive::reader(message.root()), task->project);
    queueOrRefuse(message, std::move(task));
    return true;
}

bool ServePossibleActions(Message& message) {
    PossibleActions actions;
    ComputeLocalActions(actions);
    message.init(MessageType::PossibleActions);
    serializePossibleActions(XmlArchive::writer(message.root()), actions);
    return true;
}
