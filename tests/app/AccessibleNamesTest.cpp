// The names a screen reader announces, read through Active Accessibility as
// a screen reader reads them, in both languages; the captions stay as drawn.
#include "tests/app/AppTest.h"

#include <initguid.h>
#include <oleacc.h>

namespace {

// Whether this system keeps annotations at all: Wine's oleacc answers
// E_NOTIMPL, and there only the captions can be read back.
HRESULT AnnotationSupport()
{
    IAccPropServices* service = nullptr;
    HRESULT result = CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                      reinterpret_cast<void**>(&service));
    if (FAILED(result)) return result;
    HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    result = service->SetHwndPropStr(probe, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, L"probe");
    DestroyWindow(probe);
    service->Release();
    return result;
}

std::wstring AccessibleName(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        return L"<no object>";
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring text = SUCCEEDED(object->get_accName(self, &name)) && name ? std::wstring(name) : L"<no name>";
    SysFreeString(name);
    object->Release();
    return text;
}

TEST(AccessibleNames, EveryControlIsNamedInTheInterfaceLanguage)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const HRESULT support = AnnotationSupport();
    if (FAILED(support)) {
        CoUninitialize();
        GTEST_SKIP() << "this system's oleacc keeps no annotations (" << std::hex << support << "): names checked on Windows only";
    }
    App app;
    ASSERT_TRUE(app.Start());
    for (bool japanese : {false, true}) {
        SCOPED_TRACE(japanese ? "Japanese" : "English");
        if (japanese) {
            EXPECT_TRUE(app.Command(VexiloId::CMD_JAPANESE).empty());
        }
        auto pick = [japanese](const wchar_t* english, const wchar_t* inJapanese) { return japanese ? inJapanese : english; };
        EXPECT_EQ(AccessibleName(app.AnswerField()), pick(L"Answer", L"答え"));
        EXPECT_EQ(AccessibleName(app.Log()), pick(L"Log", L"ログ"));
        EXPECT_EQ(AccessibleName(ComboEdit(app.VariableBox(1))), pick(L"Variable y", L"変数y"));
        for (int row : {0, 9, 19}) {
            const std::wstring n = std::to_wstring(row + 1);
            EXPECT_EQ(AccessibleName(app.FormulaBox(row)), japanese ? L"式" + n : L"Formula " + n);
            EXPECT_EQ(AccessibleName(ComboEdit(app.FormulaBox(row))), japanese ? L"式" + n : L"Formula " + n);
            EXPECT_EQ(AccessibleName(app.ModeToggle(row)), japanese ? L"式" + n + L"のモード" : L"Mode of formula " + n);
            EXPECT_EQ(AccessibleName(app.CalcButton(row)), japanese ? L"式" + n + L"を計算" : L"Calculate formula " + n);
            EXPECT_EQ(App::Text(app.CalcButton(row)), pick(L"Calc", L"計算"));
        }
    }
    CoUninitialize();
}

}  // namespace
