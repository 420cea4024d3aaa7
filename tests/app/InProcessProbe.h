#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/app/ProbeProtocol.h"

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

    // Empty, or the reason why the hook could not be installed.
    const std::wstring& Failure() const { return m_Failure; }

    // The menu of window (which must belong to the hooked thread), its
    // submenus' items following their titles. Empty when nothing came back.
    std::vector<MenuEntry> Menu(HWND window);
    // Sends WM_DPICHANGED to window from inside its thread; true once it was handled.
    bool SendDpiChanged(HWND window, int dpi, const RECT& suggested);
    // The lfHeight of window's font (0 for the system font), or nullopt
    // when nothing came back.
    std::optional<LONG> FontHeight(HWND window);

private:
    // Sends the probe's message and waits for the hook's answer; true once it came.
    bool Ask(HWND window, UINT message, WPARAM wParam);

    std::wstring m_Failure;
    HMODULE m_Dll = nullptr;
    HHOOK m_Hook = nullptr;
    HANDLE m_Mapping = nullptr;
    ProbeBlock* m_Block = nullptr;
    UINT m_Message = 0;
    UINT m_DpiMessage = 0;
    UINT m_FontMessage = 0;
};
