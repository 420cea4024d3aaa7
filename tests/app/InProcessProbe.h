#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One item of a menu as the probe saw it from inside the program.
struct MenuEntry {
    int depth;      // 0: an item of the menu itself (a menu bar title), 1: an item of its submenu
    wchar_t kind;   // 'P' with a submenu, 'S' separator, 'I' plain item
    UINT id;
    bool checked;
    std::wstring text;
};

// Hooks the probe DLL (vexilo_probe.dll beside the driver) into the GUI
// thread of a window of another process, and reads menus through it: the
// menu bar of a top-level window, or the menu of an open popup menu window
// (class #32768). The hook is removed when the probe goes.
class InProcessProbe {
public:
    explicit InProcessProbe(HWND windowOfThread);
    ~InProcessProbe();
    InProcessProbe(const InProcessProbe&) = delete;
    InProcessProbe& operator=(const InProcessProbe&) = delete;

    // Empty with the reason when the hook could not be installed.
    const std::wstring& Failure() const { return m_Failure; }

    // The menu of window (which must belong to the hooked thread), its
    // submenus' items following their titles. Empty when nothing came back.
    std::vector<MenuEntry> Menu(HWND window);

private:
    std::wstring m_Failure;
    HMODULE m_Dll = nullptr;
    HHOOK m_Hook = nullptr;
    HANDLE m_Mapping = nullptr;
    void* m_View = nullptr;
    UINT m_Message = 0;
};

// The items of depth 1 that follow the title at position title (0, 1, ...).
std::vector<MenuEntry> SubmenuItems(const std::vector<MenuEntry>& menu, size_t title);
// The item with this command id anywhere in the menu, or null.
const MenuEntry* FindMenuItem(const std::vector<MenuEntry>& menu, UINT id);
