// The test-only DLL that the driver hooks into vexilo's GUI thread: it reads
// menus from inside, where Wine allows it, and writes what it saw into the
// driver's shared block (see ProbeProtocol.h).
#include <windows.h>

#include <iterator>

#include "tests/app/ProbeProtocol.h"

namespace {

constexpr UINT MN_GETHMENU_MESSAGE = 0x01E1;  // the popup menu window's own menu

void DescribeItems(HMENU menu, LONG depth, ProbeBlock& block)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count && block.count < PROBE_ITEM_CAPACITY; ++i) {
        MenuEntry& entry = block.items[block.count];
        entry = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = entry.text;
        info.cch = static_cast<UINT>(std::size(entry.text) - 1);
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        entry.depth = depth;
        entry.kind = info.hSubMenu ? L'P' : (info.fType & MFT_SEPARATOR) ? L'S' : L'I';
        entry.id = info.wID;
        entry.checked = (info.fState & MFS_CHECKED) != 0;
        ++block.count;
        if (info.hSubMenu && depth == 0) DescribeItems(info.hSubMenu, depth + 1, block);
    }
}

enum class Request { MENU, DPI_CHANGE, FONT };

// Runs what the driver asks for with the shared block of this process: a
// DPI change with the block's rectangle, the height of the window's font, or
// the window's menu described (a popup menu window (#32768) hands out its
// menu; others have a menu bar).
void Answer(const CWPSTRUCT& call, Request request)
{
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, ProbeBlockName(GetCurrentProcessId()).c_str());
    auto* block = mapping ? static_cast<ProbeBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock))) : nullptr;
    if (block && request == Request::DPI_CHANGE) {
        RECT suggested = block->suggested;
        SendMessageW(call.hwnd, WM_DPICHANGED, MAKEWPARAM(call.wParam, call.wParam), reinterpret_cast<LPARAM>(&suggested));
    } else if (block && request == Request::FONT) {
        LOGFONTW font = {};
        const auto handle = reinterpret_cast<HGDIOBJ>(SendMessageW(call.hwnd, WM_GETFONT, 0, 0));
        block->fontHeight = handle && GetObjectW(handle, sizeof font, &font) ? font.lfHeight : 0;
    } else if (block) {
        wchar_t className[16] = L"";
        GetClassNameW(call.hwnd, className, 16);
        HMENU menu = lstrcmpW(className, L"#32768") == 0
                         ? reinterpret_cast<HMENU>(SendMessageW(call.hwnd, MN_GETHMENU_MESSAGE, 0, 0))
                         : GetMenu(call.hwnd);
        block->count = 0;
        if (menu) DescribeItems(menu, 0, *block);
        MemoryBarrier();
    }
    if (block) {
        InterlockedExchange(&block->done, 1);
        UnmapViewOfFile(block);
    }
    if (mapping) CloseHandle(mapping);
}

LRESULT CALLBACK ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT probeMessage = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    static const UINT dpiMessage = RegisterWindowMessageW(PROBE_DPI_MESSAGE_NAME);
    static const UINT fontMessage = RegisterWindowMessageW(PROBE_FONT_MESSAGE_NAME);
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (call->message == probeMessage) Answer(*call, Request::MENU);
        else if (call->message == dpiMessage) Answer(*call, Request::DPI_CHANGE);
        else if (call->message == fontMessage) Answer(*call, Request::FONT);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) HOOKPROC VexiloProbeHook()
{
    return ProbeCallWndProc;
}
