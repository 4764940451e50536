#include "message/bad_message.h"

#include <utility>

namespace SK {

BadMessage::BadMessage(std::string text) : text_(std::move(text)) {}

const char* BadMessage::what() const noexcept {
    return text_.c_str();
}

}  // namespace SK
