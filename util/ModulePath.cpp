#include "util/ModulePath.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

wchar_t g_ModulePath[PATH_CAPACITY];

wchar_t* ModulePathWithExt(const wchar_t* ending)
{
    const DWORD len = GetModuleFileNameW(nullptr, g_ModulePath, PATH_CAPACITY);
    // Older systems leave a cut path unterminated.
    g_ModulePath[len < PATH_CAPACITY ? len : PATH_CAPACITY - 1] = 0;
    PathWithExt(g_ModulePath, PATH_CAPACITY, ending);
    return g_ModulePath;
}

void PathWithExt(wchar_t* path, size_t capacity, const wchar_t* ending)
{
    // Only the file name's own ending changes: a folder named "tools.exe.d"
    // must not move the file out of the program's folder.
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p) {
        if (*p == L'\\' || *p == L'/') name = p + 1;
    }
    size_t at = std::wcslen(path);
    if (const wchar_t* exe = std::wcsstr(name, L".exe")) {
        at = static_cast<size_t>(exe - path);
    } else {
        const wchar_t* extension = PathFindExtensionW(name);
        if (_wcsicmp(extension, L".exe") == 0) at = static_cast<size_t>(extension - path);
    }
    if (at < capacity) lstrcpynW(path + at, ending, static_cast<int>(capacity - at));
}
