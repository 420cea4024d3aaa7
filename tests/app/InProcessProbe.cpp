#include "tests/app/InProcessProbe.h"

#include "tests/app/driver/VexiloSession.h"

InProcessProbe::InProcessProbe(HWND windowOfThread)
{
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(windowOfThread, &processId);
    m_Message = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    m_DpiMessage = RegisterWindowMessageW(PROBE_DPI_MESSAGE_NAME);
    m_FontMessage = RegisterWindowMessageW(PROBE_FONT_MESSAGE_NAME);
    const std::wstring name = ProbeBlockName(processId);
    m_Mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeBlock), name.c_str());
    if (m_Mapping) {
        m_Block = static_cast<ProbeBlock*>(MapViewOfFile(m_Mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)));
    }
    const std::wstring dllPath = BesideThisProgram(L"vexilo_probe.dll");
    m_Dll = LoadLibraryW(dllPath.c_str());
    // Through void (*)(), the type that stands for any function.
    const FARPROC exported = m_Dll ? GetProcAddress(m_Dll, PROBE_HOOK_EXPORT) : nullptr;
    const auto getter = reinterpret_cast<ProbeHookGetter>(reinterpret_cast<void (*)()>(exported));
    if (!threadId || !m_Block || !getter) {
        m_Failure = !threadId ? L"no such window" : !m_Block ? L"no shared block " + name : L"cannot load " + dllPath;
        return;
    }
    m_Hook = SetWindowsHookExW(WH_CALLWNDPROC, getter(), m_Dll, threadId);
    if (!m_Hook) m_Failure = L"SetWindowsHookEx failed with " + std::to_wstring(GetLastError());
}

InProcessProbe::~InProcessProbe()
{
    if (m_Hook) UnhookWindowsHookEx(m_Hook);
    if (m_Dll) FreeLibrary(m_Dll);
    if (m_Block) UnmapViewOfFile(m_Block);
    if (m_Mapping) CloseHandle(m_Mapping);
}

bool InProcessProbe::Ask(HWND window, UINT message, WPARAM wParam)
{
    if (!m_Hook) return false;
    InterlockedExchange(&m_Block->done, 0);
    DWORD_PTR result;
    return SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, 10000, &result) &&
           InterlockedCompareExchange(&m_Block->done, 0, 0) == 1;
}

std::vector<MenuEntry> InProcessProbe::Menu(HWND window)
{
    if (!Ask(window, m_Message, 0)) return {};
    MemoryBarrier();
    const LONG count = m_Block->count;
    if (count < 0 || count > PROBE_ITEM_CAPACITY) return {};
    return std::vector<MenuEntry>(m_Block->items, m_Block->items + count);
}

bool InProcessProbe::SendDpiChanged(HWND window, int dpi, const RECT& suggested)
{
    if (!m_Hook) return false;
    m_Block->suggested = suggested;
    MemoryBarrier();
    return Ask(window, m_DpiMessage, static_cast<WPARAM>(dpi));
}

std::optional<LONG> InProcessProbe::FontHeight(HWND window)
{
    if (!Ask(window, m_FontMessage, 0)) return std::nullopt;
    MemoryBarrier();
    return m_Block->fontHeight;
}
