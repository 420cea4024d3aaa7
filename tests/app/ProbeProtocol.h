#pragma once
#include <windows.h>

#include <string>

// What the driver and the probe DLL agree on. Wine does not let one process
// read another one's menus, so the probe is hooked into vexilo's GUI thread
// (WH_CALLWNDPROC) and reads them there. The driver sends the registered
// message to a window of that thread; before the window sees it, the hook
// describes that window's menu into a shared memory block, so the answer is
// complete when SendMessage returns.

constexpr wchar_t PROBE_MESSAGE_NAME[] = L"VexiloProbe.DescribeMenu";
// Wine does not carry WM_DPICHANGED's rectangle from one process to another,
// so the probe sends it from inside: wParam the new DPI, the suggested
// rectangle in the shared block.
constexpr wchar_t PROBE_DPI_MESSAGE_NAME[] = L"VexiloProbe.SendDpiChanged";
// A font handle means nothing in another process: the probe reads the height
// of the font of the window the message is sent to (WM_GETFONT) into the block.
constexpr wchar_t PROBE_FONT_MESSAGE_NAME[] = L"VexiloProbe.DescribeFont";
// The DLL's export that hands out the hook procedure. A plain C function, so
// that its exported name is the same in the 32-bit and the 64-bit build.
constexpr char PROBE_HOOK_EXPORT[] = "VexiloProbeHook";
using ProbeHookGetter = HOOKPROC (*)();

// One item of a menu as the probe saw it from inside the program.
struct MenuEntry {
    LONG depth;      // 0: an item of the menu itself (a menu bar title), 1: an item of its submenu
    wchar_t kind;    // 'P' with a submenu, 'S' separator, 'I' plain item
    UINT id;
    LONG checked;
    wchar_t text[128];
};

constexpr LONG PROBE_ITEM_CAPACITY = 64;

// The shared block: the menu's items, each title followed by its submenu's.
// The hook sets done last.
struct ProbeBlock {
    LONG done;
    RECT suggested;  // for PROBE_DPI_MESSAGE_NAME
    LONG fontHeight;  // from PROBE_FONT_MESSAGE_NAME: the font's lfHeight, 0 for the system font
    LONG count;
    MenuEntry items[PROBE_ITEM_CAPACITY];
};

// One block per probed process.
inline std::wstring ProbeBlockName(DWORD processId)
{
    return L"Local\\VexiloProbe." + std::to_wstring(processId);
}
