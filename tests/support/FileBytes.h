#pragma once
// Whole files as bytes, for the tests, the GUI driver and the benchmarks.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// The bytes of a file; empty when it cannot be read.
inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// A text as UTF-16LE bytes, without byte-order mark.
inline std::string Utf16Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}
