#include "app/WindowState.h"

#include <windowsx.h>

#include <optional>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "app/Controls.h"
#include "app/ErrorMessage.h"
#include "app/ModeCaption.h"
#include "app/ResourceIds.h"
#include "app/WindowPlacement.h"
#include "app/WindowText.h"
#include "settings/IniFile.h"
#include "util/ComboLines.h"
#include "util/LineExtent.h"
#include "util/TextFormat.h"

static_assert(ROW_COUNT == IniFile::ROW_CNT && VARIABLE_COUNT == IniFile::VAR_CNT,
              "the settings file has a history for each formula row and each variable");

namespace {

bool g_SaveFailureLogged = false;  // set while the last save failed and was logged

// Lists changed since they were last copied into the settings object; set by
// PromoteHistory, cleared by SaveWindowState.
bool g_RowHistoryChanged[ROW_COUNT] = {};
bool g_VarHistoryChanged[VARIABLE_COUNT] = {};

void SelectFirstEntry(HWND box)
{
    ComboBox_SetCurSel(box, 0);
    PostMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
}

// Entry e of a history list, cut to what the settings can hold.
void CopyEntry(HWND box, int entry, wchar_t (&text)[TEXT_CAPACITY])
{
    text[0] = 0;
    const int length = ComboBox_GetLBTextLen(box, entry);
    if (length < 0) return;
    if (length < TEXT_CAPACITY) {
        ComboBox_GetLBText(box, entry, text);
        return;
    }
    std::wstring whole(static_cast<size_t>(length) + 1, L'\0');
    ComboBox_GetLBText(box, entry, whole.data());
    whole.copy(text, TEXT_CAPACITY - 1);
    text[TEXT_CAPACITY - 1] = 0;
}

void LogSaveFailure(DWORD error)
{
    TracePrintf(L"%s", ErrorMessage(error, L"設定ファイルを保存できませんでした [%s] [%OsErrCd%:%OsErr%]",
                                    g_pIniFile->GetIniPath()));
}

// Each list is filled and its first entry selected with drawing off, and
// its width is measured once for all its entries.
void FillHistories(IniFile& ini)
{
    const int count = ini.GetHistoryCnt();
    std::vector<const wchar_t*> entries(static_cast<size_t>(count));
    auto fill = [&](HWND box, auto entryAt) {
        for (int entry = 0; entry < count; ++entry) entries[static_cast<size_t>(entry)] = entryAt(entry);
        SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        ComboBoxAddLines(box, entries.data(), count, g_Dpi);
        SelectFirstEntry(box);
        SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    };
    for (int row = 0; row < ROW_COUNT; ++row) {
        fill(FormulaBox(row), [&](int entry) { return ini.GetHistory(row, entry); });
    }
    for (int var = 0; var < VARIABLE_COUNT; ++var) {
        fill(VariableBox(var), [&](int entry) { return ini.GetVarHistory(var, entry); });
    }
}

void SetModes(IniFile& ini)
{
    for (int row = 0; row < ROW_COUNT; ++row) {
        const int check = ini.GetIntMode(row) ? BST_CHECKED : BST_UNCHECKED;
        if (Button_GetCheck(ModeToggle(row)) != check) Button_SetCheck(ModeToggle(row), check);
        UpdateModeLabel(ModeToggle(row));
    }
}

// A settings file that could not be read at start was joined in by the
// save: the lists get its entries below this run's. Typed texts, the modes
// and the language stay as the user has them.
void ShowMergedSettings(IniFile& ini)
{
    HWND boxes[ROW_COUNT + VARIABLE_COUNT];
    std::wstring typed[ROW_COUNT + VARIABLE_COUNT];
    for (int i = 0; i < ROW_COUNT + VARIABLE_COUNT; ++i) {
        boxes[i] = i < ROW_COUNT ? FormulaBox(i) : VariableBox(i - ROW_COUNT);
        typed[i] = WholeText(boxes[i]);
        ComboBox_ResetContent(boxes[i]);
    }
    FillHistories(ini);
    for (int i = 0; i < ROW_COUNT + VARIABLE_COUNT; ++i) SetWindowTextW(boxes[i], typed[i].c_str());
}

}  // namespace

void LoadWindowState()
{
    IniFile& ini = *g_pIniFile;
    g_Japanese = ini.m_Japanese != 0;
    FillHistories(ini);
    SetModes(ini);
}

void RemeasureLineExtents()
{
    RemeasureLineExtent(g_hWndLog, false, g_Dpi);
    for (int row = 0; row < ROW_COUNT; ++row) RemeasureLineExtent(FormulaBox(row), true, g_Dpi);
    for (int var = 0; var < VARIABLE_COUNT; ++var) RemeasureLineExtent(VariableBox(var), true, g_Dpi);
}

void LogSettingsNotes()
{
    for (const std::wstring& note : g_pIniFile->TakeNotes()) TracePrintf(L"%s", note.c_str());
}

// The box is known by its id: a formula box by the row its id names,
// the variable boxes as IDC_X, IDC_Y, IDC_Z, two apart.
void NoteHistoryChanged(HWND box)
{
    const int id = GetDlgCtrlID(box);
    const std::optional<RowControl> rowControl = RowControlOf(id);
    if (rowControl && rowControl->part == RowPart::FORMULA) {
        g_RowHistoryChanged[rowControl->row] = true;
    } else if (id >= IDC_X && id <= IDC_Z && (id - IDC_X) % 2 == 0) {
        g_VarHistoryChanged[(id - IDC_X) / 2] = true;
    }
}

// Reading a list back costs two messages an entry; only the lists that
// changed since the last copy are read.
bool SaveWindowState()
{
    IniFile& ini = *g_pIniFile;
    ini.m_Japanese = g_Japanese ? 1 : 0;
    wchar_t text[TEXT_CAPACITY];
    for (int row = 0; row < ROW_COUNT; ++row) {
        for (int entry = 0; g_RowHistoryChanged[row] && entry < ini.GetHistoryCnt(); ++entry) {
            CopyEntry(FormulaBox(row), entry, text);
            ini.SetHistory(row, entry, text);
        }
        g_RowHistoryChanged[row] = false;
        ini.SetIntMode(row, Button_GetCheck(ModeToggle(row)) == BST_CHECKED ? 1 : 0);
    }
    for (int var = 0; var < VARIABLE_COUNT; ++var) {
        for (int entry = 0; g_VarHistoryChanged[var] && entry < ini.GetHistoryCnt(); ++entry) {
            CopyEntry(VariableBox(var), entry, text);
            ini.SetVarHistory(var, entry, text);
        }
        g_VarHistoryChanged[var] = false;
    }
    const RECT rect = RestoredWindowRect(g_hWndMain);
    ini.m_WndLeft = rect.left;
    ini.m_WndTop = rect.top;
    ini.m_WndWidth = rect.right - rect.left;
    ini.m_WndHeight = rect.bottom - rect.top;

    const bool saved = ini.Save();
    LogSettingsNotes();
    if (ini.TakeMerged()) ShowMergedSettings(ini);
    if (saved) {
        g_SaveFailureLogged = false;
    } else if (!g_SaveFailureLogged) {
        LogSaveFailure(ini.GetSaveError());
        g_SaveFailureLogged = true;
    }
    return saved;
}
