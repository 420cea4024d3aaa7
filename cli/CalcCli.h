#pragma once
#include <string>
#include <string_view>
#include <vector>

// The streams of vexilo-calc: the terminal, pipes, the Windows console, or
// strings in the tests. All texts are UTF-8.
class CliIo {
public:
    virtual ~CliIo() = default;
    // One line of standard input without its line feed; false at the end
    // and when the input cannot be read (then InputError() says why).
    virtual bool ReadLine(std::string& line) = 0;
    virtual void Out(std::string_view text) = 0;  // buffered
    virtual void Err(std::string_view text) = 0;  // immediate
    virtual void FlushOut() = 0;
    // The system's text for the first failure to read standard input, or to
    // write standard output (found at the latest by FlushOut); empty if none.
    virtual std::string InputError() const = 0;
    virtual std::string OutputError() const = 0;
    // True when standard input or output is a terminal.
    virtual bool Interactive() const = 0;
};

// Runs vexilo-calc with its arguments (without the program name) and returns
// its exit status: 0 when every formula succeeded, 1 when one failed, 2 for
// a usage error, 3 when standard input could not be read or standard output
// could not be written.
int RunCalcCli(const std::vector<std::string>& args, CliIo& io);
