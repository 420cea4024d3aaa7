#pragma once
#include <string>

class IniFile;

// The settings written the slow way, one WritePrivateProfileStringW call per
// key, 485 in the file's order. What
// IniFile::Save must match, and what the benchmark compares it with.
void SaveKeyByKey(IniFile& ini);

// A settings file that holds only a UTF-16LE byte-order mark, as the one
// IniFile::Save writes starts; the profile functions then keep it in UTF-16.
void CreateUtf16File(const std::wstring& path);
