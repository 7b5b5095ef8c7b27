#include "tests/e2e/settings_window_support.h"

#include <commctrl.h>

namespace e2e::settings_window {

const char* const kTitle = "Horavel Settings";

HWND OpenWithButton(HWND window, DWORD processId, const std::string& title) {
    PressGadget(window, 35);
    return WaitForWindow(title, processId, 10000);
}

bool WaitClosed(HWND dialog) {
    for (int i = 0; i < 100; ++i) {
        if (!IsWindow(dialog)) return true;
        Pause(100);
    }
    return false;
}

namespace {

// Room in the program's memory for a message that takes a pointer.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD processId, SIZE_T bytes)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)) {
        if (process_) at_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* At() const { return at_; }
    void Write(const void* data, SIZE_T bytes, SIZE_T offset = 0) {
        WriteProcessMemory(process_, at_ + offset, data, bytes, nullptr);
    }
    void Read(void* data, SIZE_T bytes, SIZE_T offset = 0) {
        ReadProcessMemory(process_, at_ + offset, data, bytes, nullptr);
    }

private:
    HANDLE process_;
    char* at_ = nullptr;
};

}  // namespace

std::vector<std::string> TabTitles(HWND tabs, DWORD processId) {
    std::vector<std::string> titles;
    RemoteBuffer remote(processId, sizeof(TCITEMW) + 256 * sizeof(wchar_t));
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote.At() && i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.At() + sizeof(TCITEMW));
        item.cchTextMax = 256;
        remote.Write(&item, sizeof item);
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.At()));
        wchar_t text[256] = {};
        remote.Read(text, sizeof text - sizeof(wchar_t), sizeof(TCITEMW));
        titles.push_back(Narrow(text));
    }
    return titles;
}

std::vector<RECT> TabItemRects(HWND tabs, DWORD processId) {
    std::vector<RECT> rects;
    RemoteBuffer remote(processId, sizeof(RECT));
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote.At() && i < count; ++i) {
        RECT r{};
        if (SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.At())))
            remote.Read(&r, sizeof r);
        rects.push_back(r);
    }
    return rects;
}

int SelectedTab(HWND dialog) {
    return static_cast<int>(SendMessageW(FindChild(dialog, kTabs).hwnd, TCM_GETCURSEL, 0, 0));
}

bool TurnToTab(HWND dialog, int tab) {
    for (int i = 0; i < 8 && SelectedTab(dialog) != tab; ++i) {
        PressKeyWith({VK_CONTROL}, VK_TAB);
        Pause(200);
    }
    return SelectedTab(dialog) == tab && e2e::Settle(dialog);
}

namespace {

std::string Entry(HWND list, LRESULT entry) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
    if (entry < 0 || length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return Narrow(text);
}

}  // namespace

std::vector<std::string> ListEntries(HWND list) {
    std::vector<std::string> entries;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) entries.push_back(Entry(list, i));
    return entries;
}

std::string ListText(HWND dialog, int id) {
    HWND list = FindChild(dialog, id).hwnd;
    return Entry(list, SendMessageW(list, CB_GETCURSEL, 0, 0));
}

void PickEntry(HWND dialog, int id, int entry) {
    HWND list = FindChild(dialog, id).hwnd;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool WaitForListText(HWND dialog, int id, const std::string& text) {
    for (int i = 0; i < 50; ++i) {
        if (ListText(dialog, id) == text) return true;
        Pause(100);
    }
    return false;
}

}  // namespace e2e::settings_window
