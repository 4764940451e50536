#include "link/requests.h"

#include "footage/footage_message.h"
#include "host/footage_upload.h"
#include "link/launcher.h"

void exchange(const ClientPipe& client, Message& message) {
    std::string reply;
    client.transact(message.toBytes(), reply);
    if (reply.empty())
        message.clear();
    else
        message.fromBytes(reply);
}

void sendRequest(MessageType type, const std::string& pipeName) {
    Message message(type);
    exchange(ClientPipe(pipeName), message);
    if (message.hasDocument()) message.throwUnexpected();
}

void upload(MessageType type) {
    Message message;
    writeFootageMessage(message, activeFootageUpload(type));
    exchange(ClientPipe(kApplicationPipeName), message);
    if (message.hasDocument()) message.throwUnexpected();
    switchToApplication();
}

void uploadUnderlay() {
    upload(MessageType::Underlay);
}

void uploadOverlay() {
    upload(MessageType::Overlay);
}

void requestTransformations() {
    sendRequest(MessageType::Transformations, kApplicationPipeName);
}

void requestProject() {
    sendRequest(MessageType::Project, kApplicationPipeName);
}

namespace {

void askPossibleActions(const ClientPipe& client, PossibleActions& actions) {
    actions.clearAll();
    if (!client.isAvailable()) return;
    Message message(MessageType::PossibleActions);
    exchange(client, message);
    if (message.type() != MessageType::PossibleActions) message.throwUnexpected();
    serializePossibleActions(XmlArchive::reader(message.root()), actions);
}

}  // namespace

void queryPossibleActions(const std::string& pipeName, PossibleActions& actions) {
    askPossibleActions(ClientPipe(pipeName), actions);
}

void queryPossibleActions(const std::string& pipeName, PossibleActions& actions,
                          std::chrono::milliseconds limit) {
    ClientPipe client(pipeName);
    client.setDeadline(PipeClock::now() + limit);
    askPossibleActions(client, actions);
}
