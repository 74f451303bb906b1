#include "app/StartFolder.h"

#include <windows.h>

#include <string>

namespace {

// A folder from one of the system's calls that report a length; empty when it fails.
template <typename Call>
std::string Folder(Call call) {
    std::string folder(MAX_PATH, '\0');
    UINT length = call(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length);
        length = call(folder.data(), length);
    }
    folder.resize(length < folder.size() ? length : 0);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string ProgramFolder() {
    std::string path(32768, '\0');
    path.resize(GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of('\\'));
}

}  // namespace

void LeaveSystemFolder() {
    const std::string current =
        Folder([](char* buffer, UINT size) { return GetCurrentDirectoryA(size, buffer); });
    for (const std::string& system : {Folder(GetSystemDirectoryA), Folder(GetSystemWow64DirectoryA)}) {
        if (!system.empty() && lstrcmpiA(current.c_str(), system.c_str()) == 0) {
            SetCurrentDirectoryA(ProgramFolder().c_str());
            return;
        }
    }
}
