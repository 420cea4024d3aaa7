// libFuzzer target: random formulas, modes, languages and variable texts.
// Input: one flag byte (bit 0 Integer mode, bit 1 Japanese), then the
// formula and the texts of x, y and z as UTF-8, separated by line feeds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/FormulaEngine.h"
#include "engine/TextRoutines.h"
#include "util/MessageReport.h"
#include "util/Utf8.h"

namespace {

int IgnoreMessage(unsigned, const wchar_t*)
{
    return 1;
}

void Fill(wchar_t* dest, std::string_view utf8)
{
    const std::wstring wide = Utf8ToWide(utf8);
    StrCopyN(dest, wide.c_str(), TEXT_CAPACITY - 1);
}

bool Terminated(const wchar_t* text)
{
    for (int i = 0; i < TEXT_CAPACITY; ++i) {
        if (text[i] == 0) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    SetMessageSink(IgnoreMessage);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string_view parts[4];
    for (auto& part : parts) {
        const size_t end = rest.find('\n');
        part = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    FormulaEngine engine;
    engine.m_IntMode = data[0] & 1;
    engine.m_Japanese = (data[0] >> 1) & 1;
    Fill(engine.m_sBuff, parts[0]);
    Fill(engine.m_sX, parts[1]);
    Fill(engine.m_sY, parts[2]);
    Fill(engine.m_sZ, parts[3]);
    const wchar_t* answer = engine.Calculate();

    // Every text stays inside its buffer, and a failure always explains itself.
    for (const wchar_t* text : {engine.m_sAns, engine.m_sErr, engine.m_sX, engine.m_sY, engine.m_sZ}) {
        if (!Terminated(text)) std::abort();
    }
    if (!answer && engine.m_sErr[0] == 0) std::abort();
    if (answer && answer != engine.m_sAns) std::abort();
    return 0;
}
