#pragma once

#include <cstddef>
#include <exception>
#include <string>

namespace xml {

// The base of every error of the XML layer; a handler that catches it catches them all.
class exception : public std::exception {};

// A required attribute is missing, or a value was written to no element.
class attribute_not_found : public exception {
public:
    const char* what() const noexcept override;
};

// An attribute's text does not hold a value of the type read.
class attribute_parse_error : public exception {
public:
    const char* what() const noexcept override;
};

// A lookup among child elements failed; the description says which.
class filter_exception : public exception {
public:
    explicit filter_exception(std::string description);
    const std::string& description() const noexcept { return description_; }

private:
    std::string description_;
};

// Two or more children where one was looked up.
class ambiguous : public filter_exception {
public:
    explicit ambiguous(const std::string& description);
    const char* what() const noexcept override;

private:
    std::string text_;
};

// A text that is not well-formed XML, or a file that cannot be read: the parser's description and the
// byte offset at which it stopped.
class parse_error : public exception {
public:
    parse_error(std::string description, std::ptrdiff_t offset, const std::string& source = std::string());
    const char* what() const noexcept override;
    const std::string& description() const noexcept { return description_; }
    std::ptrdiff_t offset() const noexcept { return offset_; }

private:
    std::string description_;
    std::ptrdiff_t offset_;
    std::string text_;
};

}  // namespace xml
