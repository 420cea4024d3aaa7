#pragma once
#include <windows.h>

#include <cstdlib>
#include <string>

// The Windows path (through Wine's drive Z:) of a folder that tools/small_disk.sh
// mounted for the tests and named in the environment variable; empty when
// the variable is not set.
inline std::wstring MountedFolder(const char* variable)
{
    const char* path = std::getenv(variable);
    if (!path || !*path) return L"";
    std::wstring folder = L"Z:";
    for (const char* p = path; *p; ++p) folder += *p == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*p));
    return folder;
}

// The small filesystem to fill up, or empty when it is not mounted.
inline std::wstring SmallDisk()
{
    const std::wstring folder = MountedFolder("VEXILO_FULL_DISK");
    ULARGE_INTEGER total = {};
    if (folder.empty() || !GetDiskFreeSpaceExW(folder.c_str(), nullptr, &total, nullptr)) return L"";
    return total.QuadPart <= (1u << 20) ? folder : L"";
}

// Writes into path until the disk refuses more.
inline void FillDisk(const std::wstring& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    static const char block[4096] = {};
    for (int i = 0; i < 4096; ++i) {
        DWORD written = 0;
        if (!WriteFile(file, block, sizeof block, &written, nullptr) || written < sizeof block) break;
    }
    // The last bytes that still fit.
    for (int i = 0; i < 4096; ++i) {
        DWORD written = 0;
        if (!WriteFile(file, block, 1, &written, nullptr) || written < 1) break;
    }
    CloseHandle(file);
}

constexpr const char* NO_SMALL_DISK =
    "needs the small filesystem that tools/small_disk.sh mounts (as root) for CTest";
