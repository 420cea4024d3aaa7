#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/StdIo.h"

namespace {

class PosixIo : public CliIo {
public:
    PosixIo() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }
    ~PosixIo() override { std::free(m_Line); }

    bool ReadLine(std::string& line) override
    {
        errno = 0;
        const ssize_t len = getline(&m_Line, &m_Capacity, stdin);
        if (len < 0) {
            if (std::ferror(stdin)) Note(m_InputError);
            return false;
        }
        line.assign(m_Line, static_cast<size_t>(len));
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return true;
    }
    void Out(std::string_view text) override
    {
        if (std::fwrite(text.data(), 1, text.size(), stdout) < text.size()) Note(m_OutputError);
    }
    void Err(std::string_view text) override
    {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }
    void FlushOut() override
    {
        if (std::fflush(stdout) != 0) Note(m_OutputError);
    }
    bool Interactive() const override { return isatty(STDIN_FILENO) || isatty(STDOUT_FILENO); }
    std::string InputError() const override { return m_InputError; }
    std::string OutputError() const override { return m_OutputError; }

private:
    // The first failure of a stream, in the system's words.
    static void Note(std::string& error)
    {
        if (error.empty()) error = errno ? std::strerror(errno) : "I/O error";
    }

    std::string m_InputError;
    std::string m_OutputError;
    char* m_Line = nullptr;
    size_t m_Capacity = 0;
};

}  // namespace

std::unique_ptr<CliIo> MakeStdIo()
{
    return std::make_unique<PosixIo>();
}
