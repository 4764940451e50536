#include <windows.h>

#include <string>
#include <vector>

#include "tests/common/test_drives.h"

namespace testkit {

namespace {

using UnixNameOf = char*(CDECL*)(const WCHAR*);

// Under Wine, drive Z: shows the whole Unix tree, so every file has a Z: alias.
std::string wineAlias(const std::string& path) {
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    auto unixNameOf = kernel ? reinterpret_cast<UnixNameOf>(reinterpret_cast<void (*)()>(
                                   ::GetProcAddress(kernel, "wine_get_unix_file_name")))
                             : nullptr;
    if (!unixNameOf || ::GetDriveTypeA("Z:\\") == DRIVE_NO_ROOT_DIR) return std::string();
    std::vector<WCHAR> wide(path.size() + 1);
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* unixName = unixNameOf(wide.data());
    if (!unixName) return std::string();
    std::string alias = std::string("Z:") + unixName;
    ::HeapFree(::GetProcessHeap(), 0, unixName);
    for (char& c : alias)
        if (c == '/') c = '\\';
    return alias;
}

}  // namespace

std::string otherDriveAlias(const std::string& path) {
    const std::string alias = wineAlias(path);
    if (!alias.empty() && alias.compare(0, 2, path, 0, 2) != 0) return alias;
    // Drive names compare byte for byte, while the system ignores their letter case.
    std::string flipped = path;
    if (flipped.size() >= 2 && flipped[1] == ':') flipped[0] ^= 0x20;
    return flipped;
}

}  // namespace testkit
