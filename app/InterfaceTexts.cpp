#include "app/InterfaceTexts.h"

#include <iterator>

namespace {

struct TextPair {
    TextId id;
    const wchar_t* english;
    const wchar_t* japanese;
};

// In the order of TextId.
constexpr TextPair TEXTS[] = {
    {TextId::ANSWER_LABEL, L"Answer", L"答え"},
    {TextId::COPY_BUTTON, L"Ans to Clip", L"Clipへコピー"},
    {TextId::ON_TOP_BUTTON, L"ForceFw", L"最前面に"},
    {TextId::FORMULAS_CAPTION, L"Formulas", L"式"},
    {TextId::CALC_BUTTON, L"Calc", L"計算"},
    {TextId::MODE_INT, L"Int", L"整"},
    {TextId::MODE_DEC, L"Dec", L"小"},

    {TextId::FILE_MENU, L"File(&F)", L"ファイル(&F)"},
    {TextId::HELP_MENU, L"Help(&H)", L"ヘルプ(&H)"},
    {TextId::CLEAR_LOG, L"Clear Log(&C)", L"ログをクリア(&C)"},
    {TextId::STORE_LOG, L"Store Log in a file(&S)", L"ログをファイルに保存(&S)"},
    {TextId::JAPANESE, L"Japanese", L"日本語"},
    {TextId::EXIT, L"Exit(&X)", L"アプリケーションの終了(&X)"},
    {TextId::EXPLAIN, L"Explanation of the format", L"書式の説明"},
    {TextId::ABOUT, L"Version information(&A)...", L"バージョン情報(&A)..."},

    // The copy button and the on-top toggle have names of their own: their
    // captions are too short to say what they do.
    {TextId::NAME_PANEL, L"Answer and variables", L"答えと変数"},
    {TextId::NAME_LOG, L"Log", L"ログ"},
    {TextId::NAME_ANSWER, L"Answer", L"答え"},
    {TextId::NAME_COPY, L"Copy the answer to the clipboard", L"答えをクリップボードへコピー"},
    {TextId::NAME_ON_TOP, L"Keep the window on top", L"ウィンドウを最前面に表示"},
    {TextId::NAME_X, L"Variable x", L"変数x"},
    {TextId::NAME_Y, L"Variable y", L"変数y"},
    {TextId::NAME_Z, L"Variable z", L"変数z"},
    {TextId::NAME_HELP, L"Explanation of the format", L"書式の説明"},
    {TextId::NAME_ROWS, L"Formulas", L"式"},
    {TextId::NAME_FORMULA, L"Formula %d", L"式%d"},
    {TextId::NAME_MODE, L"Mode of formula %d", L"式%dのモード"},
    {TextId::NAME_CALC, L"Calculate formula %d", L"式%dを計算"},

    {TextId::LOG_NOT_STORED, L"The log could not be stored in the file.\n%s\n[%OsErrCd%:%OsErr%]",
     L"ログをファイルに保存できませんでした。\n%s\n[%OsErrCd%:%OsErr%]"},
    {TextId::SETTINGS_NOT_SAVED, L"The settings could not be saved.\n%s\n[%OsErrCd%:%OsErr%]",
     L"設定を保存できませんでした。\n%s\n[%OsErrCd%:%OsErr%]"},
};

constexpr bool InOrder()
{
    for (size_t i = 0; i < std::size(TEXTS); ++i) {
        if (static_cast<size_t>(TEXTS[i].id) != i) return false;
    }
    return std::size(TEXTS) == static_cast<size_t>(TextId::COUNT);
}
static_assert(InOrder(), "one text pair for each TextId, in its order");

}  // namespace

const wchar_t* InterfaceText(TextId id, bool japanese)
{
    const TextPair& pair = TEXTS[static_cast<size_t>(id)];
    return japanese ? pair.japanese : pair.english;
}
