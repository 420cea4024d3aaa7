#pragma once
// Reference data of the table-driven tests: text files of words, bare or in
// double quotes with the C escapes \n \r \t \b \" \\ and \uXXXX (read as
// UTF-8, like the rest of the file). Lines starting with # are comments.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "util/Utf8.h"

inline std::vector<std::string> DataWords(const std::string& line)
{
    std::vector<std::string> words;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ') continue;
        std::string word;
        if (line[i] != '"') {
            for (; i < line.size() && line[i] != ' '; ++i) word += line[i];
        } else {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                const char c = line[i] == '\\' ? line[++i] : 0;
                if (c == 'u') {
                    const auto unit = static_cast<wchar_t>(std::stoi(line.substr(i + 1, 4), nullptr, 16));
                    word += WideToUtf8(std::wstring(1, unit));
                    i += 4;
                } else {
                    word += c == 0 ? line[i] : c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c == 'b' ? '\b' : c;
                }
            }
        }
        words.push_back(word);
    }
    return words;
}

// Calls check(words) for each data line of the file whose first word is
// kind (words[0] is kind), the file and line in the trace of any failure.
// An empty kind takes every data line. Finding no line of the kind fails:
// a kind misspelled or gone from a shared file would otherwise check nothing.
template <typename Check>
void ForEachDataLine(const std::string& path, const std::string& kind, Check&& check)
{
    std::ifstream in(path);
    size_t lines = 0;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> words = DataWords(line);
        if (words.empty() || (!kind.empty() && words[0] != kind)) continue;
        SCOPED_TRACE(path + ":" + std::to_string(number) + ": " + line);
        check(words);
        ++lines;
    }
    EXPECT_GT(lines, 0u) << "no lines" << (kind.empty() ? "" : " of kind " + kind) << " in " << path;
}

// Every data line of a file that holds one kind of line.
template <typename Check>
void ForEachDataLine(const std::string& path, Check&& check)
{
    ForEachDataLine(path, std::string(), std::forward<Check>(check));
}
