#pragma once
#include <memory>
#include <string>

class IniFile;

// A settings object for the file at path (on the heap: it is large). With
// an empty path it is blank: every text empty, every number 0.
std::unique_ptr<IniFile> IniAt(const std::wstring& path);

// Fills every field: 400 formula entries of 60 characters (some full-width
// Japanese), 60 variable entries of 10 digits, alternating modes, a negative
// window position. Another seed changes every value.
void FillSample(IniFile& ini, int seed);

// Every field as text, one line each, empty history entries left out: two
// objects hold the same values when their dumps are equal.
std::wstring Dump(IniFile& ini);
