#include "support/xtd_exception.h"

#include <utility>

namespace xtd {

// Out of line so that the vtable and type information live in one object file.
exception::exception(std::string message) : message_(std::move(message)) {}

const char* exception::what() const noexcept { return message_.c_str(); }

}  // namespace xtd
