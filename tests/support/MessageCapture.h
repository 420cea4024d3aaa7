#pragma once
#include <string>
#include <vector>

#include "util/MessageReport.h"

// Collects the messages that would reach the user while it is alive.
class MessageCapture {
public:
    MessageCapture();
    ~MessageCapture();
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<std::wstring>& Messages() const { return m_Messages; }

private:
    static int Collect(unsigned flags, const wchar_t* text);
    static MessageCapture* s_Current;
    MessageSink m_Previous;
    std::vector<std::wstring> m_Messages;
};
