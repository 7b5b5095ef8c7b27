#include <windows.h>
#include <commdlg.h>

#include "platform/file_chooser.h"
#include "platform/win32/text.h"

namespace platform {
namespace {

FileSelectionHook selectionHook = nullptr;

void CentreOnScreen(HWND dialog) {
    RECT r;
    if (!GetWindowRect(dialog, &r)) return;
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The hook's own window is a child of the explorer-style dialog.
UINT_PTR CALLBACK ChooserHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return 0;
    const auto* note = reinterpret_cast<const OFNOTIFYW*>(lParam);
    HWND dialog = GetParent(child);
    if (note->hdr.code == CDN_INITDONE) {
        CentreOnScreen(dialog);
    } else if (note->hdr.code == CDN_SELCHANGE && selectionHook) {
        wchar_t path[MAX_PATH] = {};
        const LRESULT length = SendMessageW(dialog, CDM_GETFILEPATH, MAX_PATH, reinterpret_cast<LPARAM>(path));
        if (length > 1 && length <= MAX_PATH) selectionHook(win32::Utf8(path));
    }
    return 0;
}

}  // namespace

std::string ChooseExistingFile(const std::string& description, const std::string& pattern,
                               FileSelectionHook onSelectionChange) {
    // One filter: its text and its pattern, each ended by a null, and a null after the last.
    std::wstring filter = win32::Wide(description);
    filter.push_back(L'\0');
    filter += win32::Wide(pattern);
    filter.push_back(L'\0');
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter.c_str();  // c_str adds the final null
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST |
                OFN_ENABLEHOOK;
    ofn.lpfnHook = ChooserHook;
    selectionHook = onSelectionChange;
    const bool chosen = GetOpenFileNameW(&ofn) != 0;
    selectionHook = nullptr;
    return chosen ? win32::Utf8(file) : std::string();
}

}  // namespace platform
