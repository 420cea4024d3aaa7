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
// The DLL's export that hands out the hook procedure. A plain C function, so
// that its exported name is the same in the 32-bit and the 64-bit build.
constexpr char PROBE_HOOK_EXPORT[] = "VexiloProbeHook";
using ProbeHookGetter = HOOKPROC (*)();

constexpr DWORD PROBE_TEXT_UNITS = 16384;

// The shared block. The hook sets done last, after the text.
struct ProbeBlock {
    LONG done;
    LONG truncated;
    LONG length;  // units of text, without a terminator
    wchar_t text[PROBE_TEXT_UNITS];
};

// One block per probed process.
inline std::wstring ProbeBlockName(DWORD processId)
{
    return L"Local\\VexiloProbe." + std::to_wstring(processId);
}

// The description, one line per menu item, each ending in '\n':
//   depth TAB kind TAB id TAB checked TAB text
// depth 0 for the items of the described menu, 1 for the items of their
// submenus; kind 'P' for an item with a submenu, 'S' for a separator, 'I'
// otherwise; checked 1 or 0. The text comes last and may hold anything but
// a line feed.
