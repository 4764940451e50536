#include "message/xml_tree.h"

#include <algorithm>
#include <new>
#include <ostream>
#include "message/pugixml.h"
#include <utility>
#include <vector>

namespace xml {
namespace {

// No indentation: a deeply nested document would otherwise write text quadratic in its depth.
constexpr unsigned kWriteFormat = pugi::format_raw;

// Collects the text in blocks and copies it once into a string of the exact size: growing one string
// would touch about twice as much fresh memory.
class BlockWriter : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override {
        const char* bytes = static_cast<const char*>(data);
        while (size > 0) {
            if (blocks_.empty() || blocks_.back().size() == kBlockSize) {
                blocks_.emplace_back();
                blocks_.back().reserve(kBlockSize);
            }
            std::string& block = blocks_.back();
            const std::size_t n = std::min(size, kBlockSize - block.size());
            block.append(bytes, n);
            bytes += n;
            size -= n;
            total_ += n;
        }
    }

    std::string text() const {
        std::string out;
        out.reserve(total_);
        for (const std::string& block : blocks_) out += block;
        return out;
    }

private:
    static constexpr std::size_t kBlockSize = 256 * 1024;
    std::vector<std::string> blocks_;
    std::size_t total_ = 0;
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
    text_.reset();
    if (!document_->append_child(rootName)) throw std::bad_alloc();
}

void tree::parse(const char* data, std::size_t size) {
    std::unique_ptr<pugi::xml_document> parsed(new pugi::xml_document);
    check(parsed->load_buffer(data, size, pugi::parse_default), std::string());
    document_ = std::move(parsed);
    text_.reset();
}

void tree::parse(std::string&& text) {
    auto owned = std::make_unique<std::string>(std::move(text));
    text.clear();
    std::unique_ptr<pugi::xml_document> parsed(new pugi::xml_document);
    check(parsed->load_buffer_inplace(&(*owned)[0], owned->size(), pugi::parse_default), std::string());
    document_ = std::move(parsed);
    text_ = std::move(owned);
}

void tree::read(const std::string& path) {
    std::unique_ptr<pugi::xml_document> parsed(new pugi::xml_document);
    check(parsed->load_file(path.c_str(), pugi::parse_default), path);
    document_ = std::move(parsed);
    text_.reset();
}

void tree::write(std::ostream& out) const {
    document_->save(out, "", kWriteFormat);
}

std::string tree::text() const {
    BlockWriter writer;
    document_->save(writer, "", kWriteFormat);
    return writer.text();
}

node tree::root() const {
    return node(document_->document_element().internal_object());
}

}  // namespace xml
