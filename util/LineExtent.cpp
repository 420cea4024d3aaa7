#include "util/LineExtent.h"

#include <string>
#include <vector>

#include "util/DpiScale.h"

namespace {

// Lines this much shorter than the widest so far are still measured: in a
// proportional font a shorter line can be the wider one.
constexpr long long MEASURE_SLACK = 10;
constexpr int EXTENT_MARGIN = 6;  // 96-DPI pixels

// Measures lines in the window's own font on a memory device context made
// at the first line measured: text extents depend on the font alone, and a
// window's device context would cost a server request (under Wine) for its
// visible region.
class LineMeasure {
public:
    LineMeasure(HWND hWnd, int dpi) : m_hWnd(hWnd), m_Margin(ScaleToDpi(EXTENT_MARGIN, dpi)) {}
    ~LineMeasure()
    {
        if (!m_hdc) return;
        if (m_Previous) SelectObject(m_hdc, m_Previous);
        DeleteDC(m_hdc);
    }
    LineMeasure(const LineMeasure&) = delete;
    LineMeasure& operator=(const LineMeasure&) = delete;

    // Width of the line plus the margin; 0 when there is nothing to measure on.
    int Extent(const wchar_t* line, int len)
    {
        if (!m_hdc && !m_Failed) Open();
        SIZE size{};
        return m_hdc && GetTextExtentPoint32W(m_hdc, line, len, &size) ? size.cx + m_Margin : 0;
    }

private:
    void Open()
    {
        m_hdc = CreateCompatibleDC(nullptr);
        m_Failed = !m_hdc;
        if (!m_hdc) return;
        const auto font = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
        m_Previous = font ? SelectObject(m_hdc, font) : nullptr;
    }

    HWND m_hWnd;
    int m_Margin;
    HDC m_hdc = nullptr;
    HGDIOBJ m_Previous = nullptr;
    bool m_Failed = false;
};

}  // namespace

void KeepLineExtent(HWND hWnd, const wchar_t* line, int len, UINT getExtent, UINT setExtent, int dpi)
{
    KeepLinesExtent(hWnd, &line, &len, 1, getExtent, setExtent, dpi);
}

void KeepLinesExtent(HWND hWnd, const wchar_t* const* lines, const int* lengths, int count, UINT getExtent,
                     UINT setExtent, int dpi)
{
    LineMeasure measure(hWnd, dpi);
    const long long widest = GetWindowLongPtrW(hWnd, GWLP_USERDATA);
    const auto extent = static_cast<int>(SendMessageW(hWnd, getExtent, 0, 0));
    long long newWidest = widest;
    int newExtent = extent;
    for (int i = 0; i < count; ++i) {
        if (lengths[i] <= newWidest - MEASURE_SLACK) continue;
        const int lineExtent = measure.Extent(lines[i], lengths[i]);
        if (newExtent < lineExtent) {
            newExtent = lineExtent;
            newWidest = lengths[i];
        }
    }
    if (newExtent == extent) return;
    SendMessageW(hWnd, setExtent, static_cast<WPARAM>(newExtent), 0);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(newWidest));
}

void RemeasureLineExtent(HWND hWnd, bool comboBox, int dpi)
{
    const UINT getCount = comboBox ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT getLength = comboBox ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT getText = comboBox ? CB_GETLBTEXT : LB_GETTEXT;
    const UINT getExtent = comboBox ? CB_GETHORIZONTALEXTENT : LB_GETHORIZONTALEXTENT;
    const UINT setExtent = comboBox ? CB_SETHORIZONTALEXTENT : LB_SETHORIZONTALEXTENT;
    const auto count = static_cast<int>(SendMessageW(hWnd, getCount, 0, 0));
    std::vector<std::wstring> texts;
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(hWnd, getLength, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        const auto copied = length > 0 ? SendMessageW(hWnd, getText, static_cast<WPARAM>(i),
                                                      reinterpret_cast<LPARAM>(text.data()))
                                       : 0;
        text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
        texts.push_back(std::move(text));
    }
    std::vector<const wchar_t*> lines;
    std::vector<int> lengths;
    for (const std::wstring& text : texts) {
        lines.push_back(text.c_str());
        lengths.push_back(static_cast<int>(text.size()));
    }
    SendMessageW(hWnd, setExtent, 0, 0);
    SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    KeepLinesExtent(hWnd, lines.data(), lengths.data(), count, getExtent, setExtent, dpi);
}
