#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
        if (m_OutConsole) {
            if (!WriteConsoleText(GetStdHandle(STD_OUTPUT_HANDLE), text)) NoteSystem(m_OutputError);
        } else if (std::fwrite(text.data(), 1, text.size(), stdout) < text.size()) {
            NoteErrno(m_OutputError);
        }
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
    void FlushOut() override
    {
        if (std::fflush(stdout) != 0) NoteErrno(m_OutputError);
    }
    bool Interactive() const override { return m_InConsole || m_OutConsole; }
    std::string InputError() const override { return m_InputError; }
    std::string OutputError() const override { return m_OutputError; }

private:
    // The first failure of a stream, in the C library's or the system's words.
    static void NoteErrno(std::string& error)
    {
        if (error.empty()) error = errno ? std::strerror(errno) : "I/O error";
    }
    static void NoteSystem(std::string& error)
    {
        if (!error.empty()) return;
        const DWORD code = GetLastError();
        wchar_t* text = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        error = text ? WideToUtf8(text) : "I/O error";
        if (text) LocalFree(text);
        while (!error.empty() && (error.back() == '\n' || error.back() == '\r' || error.back() == ' ')) error.pop_back();
        if (error.empty()) error = "error " + std::to_string(code);
    }

    std::string m_InputError;
    std::string m_OutputError;

    static bool IsConsole(HANDLE handle)
    {
        DWORD mode;
        return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
    }

    static bool WriteConsoleText(HANDLE console, std::string_view text)
    {
        const std::wstring wide = Utf8ToWide(text);
        DWORD written = 0;
        return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)
               && written == wide.size();
    }

    bool ReadByteLine(std::string& line)
    {
        line.clear();
        int c;
        while ((c = std::getc(stdin)) != EOF) {
            if (c == '\n') return true;
            line += static_cast<char>(c);
        }
        if (std::ferror(stdin)) {
            NoteErrno(m_InputError);
            return false;
        }
        return !line.empty();
    }

    bool ReadConsoleLine(std::string& line)
    {
        std::wstring wide;
        for (;;) {
            wchar_t unit;
            DWORD read = 0;
            if (!ReadConsoleW(m_In, &unit, 1, &read, nullptr)) {
                NoteSystem(m_InputError);
                return false;
            }
            if (read == 0) break;
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
