#include "tests/util/ScratchFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>

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

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(fs::path(path), std::ios::binary) << bytes;
}

std::string Utf16Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
