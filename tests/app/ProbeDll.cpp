// The test-only DLL that the driver hooks into vexilo's GUI thread: it reads
// menus from inside, where Wine allows it, and writes what it saw into the
// driver's shared block (see ProbeProtocol.h).
#include <windows.h>

#include "tests/app/ProbeProtocol.h"

namespace {

constexpr UINT MN_GETHMENU_MESSAGE = 0x01E1;  // the popup menu window's own menu

// Appends to the shared block without ever writing past it.
class BlockWriter {
public:
    explicit BlockWriter(ProbeBlock* block) : m_Block(block) { m_Block->length = 0; m_Block->truncated = 0; }

    void Put(const wchar_t* text)
    {
        for (; *text; ++text) Put(*text);
    }
    void Put(wchar_t ch)
    {
        if (m_Block->length >= static_cast<LONG>(PROBE_TEXT_UNITS)) {
            m_Block->truncated = 1;
            return;
        }
        m_Block->text[m_Block->length++] = ch;
    }
    void PutNumber(unsigned long value)
    {
        wchar_t digits[24];
        int count = 0;
        do {
            digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0 && count < 24);
        while (count > 0) Put(digits[--count]);
    }

private:
    ProbeBlock* m_Block;
};

void DescribeItems(HMENU menu, int depth, BlockWriter& out)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = L"";
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(sizeof text / sizeof text[0] - 1);
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        text[sizeof text / sizeof text[0] - 1] = 0;
        const wchar_t kind = info.hSubMenu ? L'P' : (info.fType & MFT_SEPARATOR) ? L'S' : L'I';
        out.PutNumber(static_cast<unsigned long>(depth));
        out.Put(L'\t');
        out.Put(kind);
        out.Put(L'\t');
        out.PutNumber(info.wID);
        out.Put(L'\t');
        out.Put((info.fState & MFS_CHECKED) ? L'1' : L'0');
        out.Put(L'\t');
        for (const wchar_t* c = text; *c; ++c) out.Put(*c == L'\n' ? L' ' : *c);
        out.Put(L'\n');
        if (info.hSubMenu && depth == 0) DescribeItems(info.hSubMenu, depth + 1, out);
    }
}

HMENU MenuOf(HWND window)
{
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32768") == 0) {
        return reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU_MESSAGE, 0, 0));
    }
    return GetMenu(window);
}

void Describe(HWND window)
{
    const std::wstring name = ProbeBlockName(GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name.c_str());
    if (!mapping) return;
    auto* block = static_cast<ProbeBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)));
    if (block) {
        BlockWriter out(block);
        if (HMENU menu = MenuOf(window)) DescribeItems(menu, 0, out);
        MemoryBarrier();
        InterlockedExchange(&block->done, 1);
        UnmapViewOfFile(block);
    }
    CloseHandle(mapping);
}

LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT probeMessage = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage) Describe(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) HOOKPROC VexiloProbeHook()
{
    return ProbeCallWndProc;
}
