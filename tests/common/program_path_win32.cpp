#include "common/program_path.h"
#include "common/test_platform.h"

namespace testkit {

std::string besideTests(const std::string& fileName) {
    return binaryDir() + "\\" + fileName;
}

std::string programPath(const std::string& name) {
    return besideTests(name + ".exe");
}

}  // namespace testkit
