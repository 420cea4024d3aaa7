#pragma once
#include <string>
#include <string_view>
#include <vector>

// The streams of vexilo-calc: the terminal, pipes, the Windows console, or
// strings in the tests. All texts are UTF-8.
class CliIo {
public:
    virtual ~CliIo() = default;
    // One line of standard input without its line feed; false at the end.
    virtual bool ReadLine(std::string& line) = 0;
    virtual void Out(std::string_view text) = 0;  // buffered
    virtual void Err(std::string_view text) = 0;  // immediate
    virtual void FlushOut() = 0;
    // True when standard input or output is a terminal.
    virtual bool Interactive() const = 0;
};

// Runs vexilo-calc with its arguments (without the program name) and returns
// its exit status: 0 when every formula succeeded, 1 when one failed, 2 for
// a usage error.
int RunCalcCli(const std::vector<std::string>& args, CliIo& io);
