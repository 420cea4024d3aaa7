#pragma once
#include <cstddef>

// UTF-16 units of a path buffer: the module's path, and the file chosen to store the log in.
constexpr int PATH_CAPACITY = 2048;

// The result of ModulePathWithExt; valid until the next call.
extern wchar_t g_ModulePath[PATH_CAPACITY];

// The running executable's full path with its ".exe" replaced by ending
// (PathWithExt), in g_ModulePath: the name of a file beside the program.
wchar_t* ModulePathWithExt(const wchar_t* ending);

// Replaces, in the file name of the path held by a buffer of capacity units,
// the first lower-case ".exe" and everything after it by ending. Without one,
// a last extension ".exe" in any letter case is replaced (VEXILO.EXE), and
// any other name gets the ending appended. The folder part never changes.
// Cut to fit the buffer.
void PathWithExt(wchar_t* path, size_t capacity, const wchar_t* ending);
