#include "tests/support/MessageCapture.h"

MessageCapture* MessageCapture::s_Current = nullptr;

MessageCapture::MessageCapture() : m_Previous(SetMessageSink(Collect))
{
    s_Current = this;
}

MessageCapture::~MessageCapture()
{
    SetMessageSink(m_Previous);
    s_Current = nullptr;
}

int MessageCapture::Collect(unsigned /*flags*/, const wchar_t* text)
{
    if (s_Current) s_Current->m_Messages.emplace_back(text);
    return 1;
}
