#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/FileBytes.h"

// A new empty folder under the temporary folder, removed with its content
// when the test ends.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::wstring Path(const std::wstring& name) const { return (m_Folder / name).wstring(); }
    std::vector<std::wstring> Entries() const;

private:
    std::filesystem::path m_Folder;
};
