#include "message/xml_tree.h"

#include <new>
#include <ostream>
#include <pugixml.hpp>
#include <utility>

namespace xml {
namespace {

// No indentation: a deeply nested document would otherwise write text quadratic in its depth.
constexpr unsigned kWriteFormat = pugi::format_raw;

class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& out) : out_(out) {}
    void write(const void* data, std::size_t size) override {
        out_.append(static_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

void check(const pugi::xml_parse_result& result, const std::string& source) {
    if (result) return;
    if (result.status == pugi::status_out_of_memory) throw std::bad_alloc();
    const bool positioned =
        result.status != pugi::status_file_not_found && result.status != pugi::status_io_error;
    throw parse_error(result.description(), positioned ? result.offset : -1, source);
}

}  // namespace

tree::tree() : document_(new pugi::xml_document) {}

tree::~tree() = default;

void tree::create(const char* rootName) {
    document_->reset();
    if (!document_->append_child(rootName)) throw std::bad_alloc();
}

void tree::parse(const char* data, std::size_t size) {
    std::unique_ptr<pugi::xml_document> parsed(new pugi::xml_document);
    check(parsed->load_buffer(data, size, pugi::parse_default), std::string());
    document_ = std::move(parsed);
}

void tree::read(const std::string& path) {
    std::unique_ptr<pugi::xml_document> parsed(new pugi::xml_document);
    check(parsed->load_file(path.c_str(), pugi::parse_default), path);
    document_ = std::move(parsed);
}

void tree::write(std::ostream& out) const {
    document_->save(out, "", kWriteFormat);
}

std::string tree::text() const {
    std::string out;
    StringWriter writer(out);
    document_->save(writer, "", kWriteFormat);
    return out;
}

node tree::root() const {
    return node(document_->document_element().internal_object());
}

}  // namespace xml
