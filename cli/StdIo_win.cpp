#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/StdIo.h"
#include "util/Utf8.h"

namespace {

// A console gets UTF-16 through the console functions, whatever its code
// page; pipes and files get UTF-8 bytes.
class WindowsIo : public CliIo {
public:
    WindowsIo()
        : m_In(GetStdHandle(STD_INPUT_HANDLE)),
          m_OutConsole(IsConsole(GetStdHandle(STD_OUTPUT_HANDLE))),
          m_ErrConsole(IsConsole(GetStdHandle(STD_ERROR_HANDLE))),
          m_InConsole(IsConsole(m_In))
    {
        _setmode(_fileno(stdin), _O_BINARY);
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    }

    bool ReadLine(std::string& line) override
    {
        return m_InConsole ? ReadConsoleLine(line) : ReadByteLine(line);
    }
    void Out(std::string_view text) override
    {
        if (m_OutConsole) WriteConsoleText(GetStdHandle(STD_OUTPUT_HANDLE), text);
        else std::fwrite(text.data(), 1, text.size(), stdout);
    }
    void Err(std::string_view text) override
    {
        if (m_ErrConsole) {
            WriteConsoleText(GetStdHandle(STD_ERROR_HANDLE), text);
        } else {
            std::fwrite(text.data(), 1, text.size(), stderr);
            std::fflush(stderr);
        }
    }
    void FlushOut() override { std::fflush(stdout); }
    bool Interactive() const override { return m_InConsole || m_OutConsole; }

private:
    static bool IsConsole(HANDLE handle)
    {
        DWORD mode;
        return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
    }

    static void WriteConsoleText(HANDLE console, std::string_view text)
    {
        const std::wstring wide = Utf8ToWide(text);
        DWORD written;
        WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }

    bool ReadByteLine(std::string& line)
    {
        line.clear();
        int c;
        while ((c = std::getc(stdin)) != EOF) {
            if (c == '\n') return true;
            line += static_cast<char>(c);
        }
        return !line.empty();
    }

    bool ReadConsoleLine(std::string& line)
    {
        std::wstring wide;
        for (;;) {
            wchar_t unit;
            DWORD read = 0;
            if (!ReadConsoleW(m_In, &unit, 1, &read, nullptr) || read == 0) break;
            if (unit == 0x1A && wide.empty()) return false;  // Ctrl+Z ends the input
            if (unit == L'\n') {
                line = WideToUtf8(wide);
                return true;
            }
            wide += unit;
        }
        line = WideToUtf8(wide);
        return !wide.empty();
    }

    HANDLE m_In;
    bool m_OutConsole;
    bool m_ErrConsole;
    bool m_InConsole;
};

}  // namespace

std::unique_ptr<CliIo> MakeStdIo()
{
    return std::make_unique<WindowsIo>();
}
