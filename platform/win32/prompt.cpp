// The input prompt: a dialog built from an in-memory template, so that Enter,
// Esc, Tab and the edit field's keys work as in every other dialog.
#include <windows.h>

#include <vector>

#include "platform/menu.h"
#include "platform/win32/main_window_handle.h"
#include "platform/win32/text.h"

namespace platform::win32 {
namespace {

constexpr WORD kQuestionId = 100;
constexpr WORD kFieldId = 101;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct PromptData {
    std::wstring answer;
};

// A dialog template is a run of 16-bit words with DWORD-aligned items.
class Template {
public:
    void Dword(DWORD v) {
        Word(LOWORD(v));
        Word(HIWORD(v));
    }
    void Word(WORD v) { words_.push_back(v); }
    void Text(const std::wstring& s) {
        for (wchar_t c : s) Word(static_cast<WORD>(c));
        Word(0);
    }
    void Align() {
        if (words_.size() % 2) Word(0);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD windowClass, const std::wstring& text) {
        Align();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(windowClass);
        Text(text);
        Word(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto* data = reinterpret_cast<const PromptData*>(lParam);
            SetDlgItemTextW(dialog, kFieldId, data->answer.c_str());
            SetForegroundWindow(dialog);
            return TRUE;  // the field gets the focus with its text selected
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* data = reinterpret_cast<PromptData*>(GetWindowLongPtrW(dialog, DWLP_USER));
                HWND field = GetDlgItem(dialog, kFieldId);
                data->answer.assign(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
                data->answer.resize(static_cast<std::size_t>(
                    GetWindowTextW(field, data->answer.data(), static_cast<int>(data->answer.size()))));
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace
}  // namespace platform::win32

namespace platform {

std::optional<std::string> InputPrompt(const PromptTexts& texts) {
    using win32::Template;
    Template t;
    // Centred on the screen and above the top-most main window.
    t.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_SETFOREGROUND);
    t.Dword(WS_EX_TOPMOST);
    t.Word(4);  // items
    for (short v : {0, 0, 200, 62}) t.Word(static_cast<WORD>(v));
    t.Word(0);  // no menu
    t.Word(0);  // the standard dialog class
    t.Text(win32::Wide(texts.title));
    t.Word(8);
    t.Text(L"MS Shell Dlg");
    t.Item(SS_LEFT | SS_NOPREFIX, 7, 7, 186, 10, win32::kQuestionId, win32::kStaticClass, win32::Wide(texts.question));
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 19, 186, 14, win32::kFieldId, win32::kEditClass, L"");
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, 41, 50, 14, IDOK, win32::kButtonClass, win32::Wide(texts.ok));
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 143, 41, 50, 14, IDCANCEL, win32::kButtonClass, win32::Wide(texts.cancel));
    win32::PromptData data{win32::Wide(texts.answer)};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), win32::MainWindowHandle(),
                                                   win32::PromptProc, reinterpret_cast<LPARAM>(&data));
    if (result != IDOK) return std::nullopt;  // Cancel, Esc and the close box alike
    return win32::Utf8(data.answer);
}

}  // namespace platform
