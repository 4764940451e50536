// Reads a project from arbitrary bytes, both as a project file and as a pushed Project message.
// Errors must come out as exceptions; anything else (crash, hang, leak) is a finding.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "message/xml_archive.h"
#include "message/xml_tree.h"
#include "project/project_document.h"

namespace {

namespace fs = std::filesystem;

// A job folder the inputs can refer to: plate\p0000.png, plate\p0001.png and art\logo.png.
class JobFolder {
public:
    JobFolder() {
        std::random_device entropy;
        root_ = fs::temp_directory_path() / ("skelda-fuzz-project-" + std::to_string(entropy()));
        fs::create_directories(root_ / "plate");
        fs::create_directories(root_ / "art");
        for (const char* name : {"plate/p0000.png", "plate/p0001.png", "art/logo.png"})
            std::ofstream(root_ / name) << "png";
    }
    ~JobFolder() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::string projectFile() const { return (root_ / "job.skp").string(); }

private:
    fs::path root_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const JobFolder folder;
    const std::string path = folder.projectFile();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        loadProjectFile(path);
    } catch (const std::exception&) {
    }
    try {
        xml::tree document;
        document.parse(reinterpret_cast<const char*>(data), size);
        Project pushed;
        serializeProject(XmlArchive::reader(document.root()), pushed);
    } catch (const std::exception&) {
    }
    return 0;
}
