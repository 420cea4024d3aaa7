#pragma once

// What a first start without a settings file shows in the twenty rows:
// Decimal mode on even rows, Integer mode on odd rows.
struct SampleRow {
    const wchar_t* formula;
    bool integerMode;
};

inline constexpr SampleRow SAMPLE_ROWS[20] = {
    {L"dms( acos( 0 - 1 ) )", false},
    {L"0X(x*1024*1024*1024*1024)", true},
    {L"TOz( x * pi + e )", false},
    {L"TOz( x * 1024 * 1024 * 1024 * 1024 )", true},
    // Rows 4 and 5 close one bracket more than they open.
    {L"( 0.2 * 577 + 127 * 3 - 490 / 2 )*( 39 * 39 / 3 )-( 160 / 4 ) )", false},
    {L"( 2 * 577 + 127 * 3 - 490 / 2 )*( 39 * 39 / 3 )-( 160 / 4 ) )", true},
    {L"logbase( y, z )", false},
    {L"0X( 0X0A & 0X0D )", true},
    {L"pow( y, z )", false},
    {L"0X0A & 0X0D", true},
    {L"max( y, z )", false},
    {L"0X( 0X123456789 | 0X2 )", true},
    {L"tan( 1 / 10 )", false},
    {L"15*85/6", true},
    {L"15*85/6", false},
    {L"x+y+z", true},
    {L"x+y+z", false},
    {L"z/x", true},
    {L"z/x", false},
    {L"0X(1+~2)", true},
};

inline constexpr const wchar_t* SAMPLE_VARIABLES[3] = {L"32.9", L"150.4", L"2.5"};
