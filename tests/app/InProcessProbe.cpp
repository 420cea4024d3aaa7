#include "tests/app/InProcessProbe.h"

#include "tests/app/ProbeProtocol.h"

namespace {

std::wstring ProbeDllPath()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"vexilo_probe.dll";
}

std::vector<MenuEntry> ParseDescription(const wchar_t* text, size_t length)
{
    std::vector<MenuEntry> entries;
    const std::wstring all(text, length);
    size_t start = 0;
    for (size_t end; (end = all.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
        const std::wstring line = all.substr(start, end - start);
        size_t fields[4];
        size_t at = 0;
        bool complete = true;
        for (size_t& field : fields) {
            field = line.find(L'\t', at);
            if (field == std::wstring::npos) {
                complete = false;
                break;
            }
            at = field + 1;
        }
        // The probe writes well-formed lines; anything else is skipped, not parsed.
        if (!complete || fields[0] == 0 || fields[2] == fields[1] + 1) continue;
        MenuEntry entry;
        entry.depth = std::stoi(line.substr(0, fields[0]));
        entry.kind = line[fields[0] + 1];
        entry.id = static_cast<UINT>(std::stoul(line.substr(fields[1] + 1, fields[2] - fields[1] - 1)));
        entry.checked = line[fields[2] + 1] == L'1';
        entry.text = line.substr(fields[3] + 1);
        entries.push_back(entry);
    }
    return entries;
}

}  // namespace

InProcessProbe::InProcessProbe(HWND windowOfThread)
{
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(windowOfThread, &processId);
    if (!threadId) {
        m_Failure = L"no such window";
        return;
    }
    m_Message = RegisterWindowMessageW(PROBE_MESSAGE_NAME);
    const std::wstring name = ProbeBlockName(processId);
    m_Mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeBlock), name.c_str());
    m_View = m_Mapping ? MapViewOfFile(m_Mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeBlock)) : nullptr;
    if (!m_View) {
        m_Failure = L"no shared block " + name;
        return;
    }
    const std::wstring dllPath = ProbeDllPath();
    m_Dll = LoadLibraryW(dllPath.c_str());
    // Through void (*)(), the type that stands for any function.
    const FARPROC exported = m_Dll ? GetProcAddress(m_Dll, PROBE_HOOK_EXPORT) : nullptr;
    const auto getter = reinterpret_cast<ProbeHookGetter>(reinterpret_cast<void (*)()>(exported));
    if (!getter) {
        m_Failure = L"cannot load " + dllPath;
        return;
    }
    m_Hook = SetWindowsHookExW(WH_CALLWNDPROC, getter(), m_Dll, threadId);
    if (!m_Hook) m_Failure = L"SetWindowsHookEx failed with " + std::to_wstring(GetLastError());
}

InProcessProbe::~InProcessProbe()
{
    if (m_Hook) UnhookWindowsHookEx(m_Hook);
    if (m_Dll) FreeLibrary(m_Dll);
    if (m_View) UnmapViewOfFile(m_View);
    if (m_Mapping) CloseHandle(m_Mapping);
}

std::vector<MenuEntry> InProcessProbe::Menu(HWND window)
{
    if (!m_Hook) return {};
    auto* block = static_cast<ProbeBlock*>(m_View);
    InterlockedExchange(&block->done, 0);
    DWORD_PTR result;
    if (!SendMessageTimeoutW(window, m_Message, 0, 0, SMTO_NORMAL, 10000, &result)) return {};
    if (InterlockedCompareExchange(&block->done, 0, 0) != 1) return {};
    MemoryBarrier();
    const LONG length = block->length;
    if (length < 0 || length > static_cast<LONG>(PROBE_TEXT_UNITS) || block->truncated) return {};
    return ParseDescription(block->text, static_cast<size_t>(length));
}

std::vector<MenuEntry> SubmenuItems(const std::vector<MenuEntry>& menu, size_t title)
{
    std::vector<MenuEntry> items;
    size_t position = 0;
    bool inside = false;
    for (const MenuEntry& entry : menu) {
        if (entry.depth == 0) {
            inside = position++ == title;
        } else if (inside) {
            items.push_back(entry);
        }
    }
    return items;
}

const MenuEntry* FindMenuItem(const std::vector<MenuEntry>& menu, UINT id)
{
    for (const MenuEntry& entry : menu) {
        if (entry.kind != L'P' && entry.kind != L'S' && entry.id == id) return &entry;
    }
    return nullptr;
}
