#include "util/MessageReport.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "util/TextFormat.h"
#include "util/Utf8.h"

namespace {

int WriteToStderr(unsigned /*flags*/, const wchar_t* text)
{
    const std::string line = WideToUtf8(text) + '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    return 1;  // IDOK
}

MessageSink g_Sink = WriteToStderr;

// The file name without its folders: the report names the file, not the
// machine it was built on.
const char* BaseName(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\') name = p + 1;
    }
    return name;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink)
{
    const MessageSink previous = g_Sink;
    g_Sink = sink ? sink : WriteToStderr;
    return previous;
}

int MessagePrintfArgs(unsigned flags, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const wchar_t* text = SharedFormat(nullptr, format, args);
    va_end(args);
    return g_Sink(flags, text);
}

void ReportCaughtFailure(const char* sourceFile, int line)
{
    MessagePrintf(0, L"キャッチした %S%d", BaseName(sourceFile), line);
}
