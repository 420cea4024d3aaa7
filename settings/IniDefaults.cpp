#include "settings/IniFile.h"

namespace {

// Entry 0 of each row's history on a first start. Rows 4 and 5 close one
// bracket more than they open; they are kept as they always were.
constexpr const wchar_t* DEFAULT_FORMULAS[IniFile::ROW_CNT] = {
    L"dms( acos( 0 - 1 ) )",
    L"0X(x*1024*1024*1024*1024)",
    L"TOz( x * pi + e )",
    L"TOz( x * 1024 * 1024 * 1024 * 1024 )",
    L"( 0.2 * 577 + 127 * 3 - 490 / 2 )*( 39 * 39 / 3 )-( 160 / 4 ) )",
    L"( 2 * 577 + 127 * 3 - 490 / 2 )*( 39 * 39 / 3 )-( 160 / 4 ) )",
    L"logbase( y, z )",
    L"0X( 0X0A & 0X0D )",
    L"pow( y, z )",
    L"0X0A & 0X0D",
    L"max( y, z )",
    L"0X( 0X123456789 | 0X2 )",
    L"tan( 1 / 10 )",
    L"15*85/6",
    L"15*85/6",
    L"x+y+z",
    L"x+y+z",
    L"z/x",
    L"z/x",
    L"0X(1+~2)",
};

constexpr const wchar_t* DEFAULT_VARIABLES[IniFile::VAR_CNT] = {L"32.9", L"150.4", L"2.5"};

}  // namespace

// The first start: sample formulas, Decimal mode on even rows and Integer
// mode on odd ones, English, the window at 50, 50 sized 700 by 600.
void IniFile::LoadDefaults()
{
    m_Japanese = 0;
    for (int row = 0; row < ROW_CNT; ++row) {
        for (int entry = 0; entry < HISTORY_CNT; ++entry) m_History[row][entry][0] = 0;
        lstrcpynW(m_History[row][0], DEFAULT_FORMULAS[row], TEXT_CAPACITY);
        m_IntMode[row] = row % 2;
    }
    for (int var = 0; var < VAR_CNT; ++var) {
        for (int entry = 0; entry < HISTORY_CNT; ++entry) m_VarHistory[var][entry][0] = 0;
        lstrcpynW(m_VarHistory[var][0], DEFAULT_VARIABLES[var], TEXT_CAPACITY);
    }
    m_WndLeft = 50;
    m_WndTop = 50;
    m_WndWidth = 700;
    m_WndHeight = 600;
}
