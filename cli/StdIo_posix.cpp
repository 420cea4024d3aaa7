#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "cli/StdIo.h"

namespace {

class PosixIo : public CliIo {
public:
    PosixIo() { std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16); }
    ~PosixIo() override { std::free(m_Line); }

    bool ReadLine(std::string& line) override
    {
        const ssize_t len = getline(&m_Line, &m_Capacity, stdin);
        if (len < 0) return false;
        line.assign(m_Line, static_cast<size_t>(len));
        if (!line.empty() && line.back() == '\n') line.pop_back();
        return true;
    }
    void Out(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), stdout); }
    void Err(std::string_view text) override
    {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }
    void FlushOut() override { std::fflush(stdout); }
    bool Interactive() const override { return isatty(STDIN_FILENO) || isatty(STDOUT_FILENO); }

private:
    char* m_Line = nullptr;
    size_t m_Capacity = 0;
};

}  // namespace

std::unique_ptr<CliIo> MakeStdIo()
{
    return std::make_unique<PosixIo>();
}
