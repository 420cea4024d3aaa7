#include "app/SaveDialog.h"

BOOL ShowSaveDialog(OPENFILENAMEW* dialog)
{
    using GetSaveFileNameProc = BOOL(WINAPI*)(OPENFILENAMEW*);
    static GetSaveFileNameProc getSaveFileName = nullptr;  // kept loaded once loaded
    if (!getSaveFileName) {
        HMODULE library = LoadLibraryW(L"comdlg32.dll");
        if (!library) return FALSE;
        getSaveFileName = reinterpret_cast<GetSaveFileNameProc>(
            reinterpret_cast<void*>(GetProcAddress(library, "GetSaveFileNameW")));
        if (!getSaveFileName) return FALSE;
    }
    return getSaveFileName(dialog);
}
