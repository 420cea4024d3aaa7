#include "tests/util/ScratchFolder.h"

#include <windows.h>


namespace fs = std::filesystem;

ScratchFolder::ScratchFolder()
{
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        m_Folder = fs::temp_directory_path() / ("vexilo-test-" + std::to_string(n));
        if (fs::create_directory(m_Folder)) break;
    }
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    fs::remove_all(m_Folder, ignored);
}

std::vector<std::wstring> ScratchFolder::Entries() const
{
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(m_Folder)) names.push_back(entry.path().filename().wstring());
    return names;
}
