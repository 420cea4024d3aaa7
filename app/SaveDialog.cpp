#include "app/SaveDialog.h"

#include "util/SystemLibrary.h"

BOOL ShowSaveDialog(OPENFILENAMEW* dialog)
{
    using GetSaveFileNameProc = BOOL(WINAPI*)(OPENFILENAMEW*);
    static GetSaveFileNameProc getSaveFileName = nullptr;  // kept loaded once loaded
    if (!getSaveFileName) {
        HMODULE library = LoadSystemLibrary(L"comdlg32.dll");
        if (!library) return FALSE;
        getSaveFileName = reinterpret_cast<GetSaveFileNameProc>(
            reinterpret_cast<void*>(GetProcAddress(library, "GetSaveFileNameW")));
        if (!getSaveFileName) return FALSE;
    }
    return getSaveFileName(dialog);
}
