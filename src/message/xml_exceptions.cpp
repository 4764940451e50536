#include "message/xml_exceptions.h"

#include <utility>

namespace xml {

const char* attribute_not_found::what() const noexcept {
    return "attribute not found";
}

const char* attribute_parse_error::what() const noexcept {
    return "attribute parse error";
}

filter_exception::filter_exception(std::string description) : description_(std::move(description)) {}

ambiguous::ambiguous(const std::string& description)
    : filter_exception(description), text_("Node is ambiguous (" + description + ")") {}

const char* ambiguous::what() const noexcept {
    return text_.c_str();
}

parse_error::parse_error(std::string description, std::ptrdiff_t offset, const std::string& source)
    : description_(std::move(description)), offset_(offset) {
    text_ = "XML parse error";
    if (!source.empty()) text_ += " in " + source;
    if (offset_ >= 0) text_ += " at byte " + std::to_string(offset_);
    text_ += ": " + description_;
}

const char* parse_error::what() const noexcept {
    return text_.c_str();
}

}  // namespace xml
