#pragma once
#include "util/TextFormat.h"

// Messages that need the user's attention (a stack count, a caught failure)
// go through one replaceable sink: the Windows program shows a task-modal
// message box, vexilo-calc writes to stderr, tests capture the texts.
// The sink returns the id of the button that closed the message.
using MessageSink = int (*)(unsigned flags, const wchar_t* text);

// Installs a sink and returns the previous one; null restores the default,
// which writes the text as a UTF-8 line to stderr.
MessageSink SetMessageSink(MessageSink sink);

// Formats with SharedFormat and hands the text to the sink.
int MessagePrintfArgs(unsigned flags, const wchar_t* format, ...);

template <typename... Args>
int MessagePrintf(unsigned flags, CheckedFormat<std::type_identity_t<Args>...> format, Args... args)
{
    return MessagePrintfArgs(flags, format.Text(), args...);
}

// Reports an exception caught by a guarded operation: "キャッチした " followed
// by the source file's name and the handler's line, e.g. キャッチした ItemLists.cpp42.
void ReportCaughtFailure(const char* sourceFile, int line);

// The handler every guarded operation ends its try block with.
#define CATCH_AND_REPORT \
    catch (...) { ReportCaughtFailure(__FILE__, __LINE__); }
