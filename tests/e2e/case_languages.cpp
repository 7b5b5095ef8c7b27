// Chinese and Japanese texts drawn with real glyphs, and the languages beyond
// English, German, Spanish and French shown where a user meets them: the
// menu, the settings window and the popup sign.
#include "tests/e2e/case_support.h"

#include <commctrl.h>

namespace {

constexpr int kTabs = 3;
constexpr int kCancel = 2;
constexpr int kWarningPopupPreview = 407;

// Text drawn black on white in the face at the size of the dialogs, as pixels.
e2e::Pixels DrawnText(const wchar_t* face, const std::wstring& text, bool bold) {
    HFONT font = CreateFontW(-16, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 80;
    info.bmiHeader.biHeight = -24;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    e2e::Pixels picture;
    if (bitmap && font) {
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        HGDIOBJ oldFont = SelectObject(dc, font);
        const RECT all{0, 0, 80, 24};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
        GdiFlush();
        picture.width = 80;
        picture.height = 24;
        const auto* p = static_cast<const std::uint32_t*>(bits);
        picture.rgb.assign(p, p + 80 * 24);
        for (std::uint32_t& c : picture.rgb) c &= 0xFFFFFF;
        SelectObject(dc, oldFont);
        SelectObject(dc, oldBitmap);
    }
    if (bitmap) DeleteObject(bitmap);
    if (font) DeleteObject(font);
    DeleteDC(dc);
    return picture;
}

// Waits until the program shows (shown) or no longer shows its menu window.
bool WaitForMenu(DWORD processId, bool shown) {
    for (int i = 0; i < 100; ++i) {
        bool found = false;
        for (HWND w : e2e::TopLevelWindows(processId)) {
            const e2e::WindowInfo info = e2e::DescribeWindow(w);
            found = found || (info.visible && info.className == "#32768");
        }
        if (found == shown) return true;
        e2e::Pause(50);
    }
    return false;
}

int SelectedTab(HWND dialog) {
    return static_cast<int>(SendMessageW(e2e::FindChild(dialog, kTabs).hwnd, TCM_GETCURSEL, 0, 0));
}

void TurnToTab(HWND dialog, int tab) {
    for (int i = 0; i < 8 && SelectedTab(dialog) != tab; ++i) {
        e2e::PressKeyWith({VK_CONTROL}, VK_TAB);
        e2e::Pause(200);
    }
}

bool WaitClosed(HWND dialog) {
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) e2e::Pause(100);
    return !IsWindow(dialog);
}

// The warning sign's stripes are pure yellow only where it is fully opaque.
int YellowPixels(const e2e::Pixels& p) {
    int n = 0;
    for (std::uint32_t c : p.rgb) n += c == 0xFFFF00;
    return n;
}

// The warning sign at its fullest while it fades in and out: of the pictures
// taken of its place while it shows, the one with the most of its yellow.
e2e::Pixels SignAtItsFullest(DWORD processId) {
    e2e::Pixels best;
    bool seen = false;
    for (int i = 0; i < 600; ++i) {
        bool shown = false;
        for (HWND hwnd : e2e::TopLevelWindows(processId)) {
            const e2e::WindowInfo info = e2e::DescribeWindow(hwnd);
            if (!info.visible || info.className != "HoravelPopup") continue;
            shown = true;
            const e2e::Pixels shot = e2e::CaptureScreenRect(info.rect.left, info.rect.top,
                                                            info.rect.right - info.rect.left,
                                                            info.rect.bottom - info.rect.top);
            if (YellowPixels(shot) > YellowPixels(best)) best = shot;
        }
        if (seen && !shown) break;
        seen = seen || shown;
        Sleep(10);
    }
    return best;
}

struct Shown {
    const char* language;  // the Language setting
    const char* label;     // for the screenshots' names
    const char* settings;  // message 113, in the settings window's title
    const char* cancel;    // message 2
};

const Shown kShown[] = {
    {"Japanese", "japanese", "設定", "キャンセル"},
    {"Chinese Simplified", "chinese", "设置", "取消"},
    {"Czech", "czech", "Nastavení", "Storno"},
};

}  // namespace

// Every character of the languages the program carries has a glyph in the
// faces it draws with: of the face's own font or, for Chinese and Japanese, of
// a font linked behind it, as Windows links them. A character without one is
// drawn as the missing-glyph mark, the same as characters that no font has.
E2E_CASE(chinese_japanese_and_czech_characters_draw_in_the_programs_faces) {
    for (const wchar_t* face : {L"Tahoma", L"MS Shell Dlg", L"MS Shell Dlg 2", L"Arial", L"Segoe UI"}) {
        for (bool bold : {false, true}) {
            const std::string name = e2e::Narrow(face) + (bold ? " bold" : "");
            const e2e::Pixels missing = DrawnText(face, L"\uE000\uE001", bold);
            for (const wchar_t* text : {L"設定", L"设置", L"čů"}) {
                const e2e::Pixels drawn = DrawnText(face, text, bold);
                CHECK(drawn.width > 0 && drawn.rgb != missing.rgb, "\"" + e2e::Narrow(text) + "\" in " + name +
                                                                      " is drawn with its own glyphs, not missing-glyph marks");
            }
            CHECK(DrawnText(face, L"設定", bold).rgb != DrawnText(face, L"设置", bold).rgb,
                  "different characters differ in " + name);
        }
    }
    return e2e::Result();
}

E2E_CASE(menu_settings_and_sign_in_japanese_chinese_and_czech) {
    for (const Shown& s : kShown) {
        e2e::Log(std::string("language ") + s.language);
        CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
        CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini",
                                  std::string("[Horavel]\r\nLanguage = ") + s.language + "\r\n"),
              "the settings file is written");
        e2e::Process program;
        HWND window = e2e::StartAndFind(exePath, program);
        if (!window) return e2e::Result();

        const POINT at = e2e::Centre(e2e::FindChild(window, 2).rect);
        e2e::Click(at.x, at.y, e2e::Button::Right);
        if (CHECK(WaitForMenu(program.id, true), "a right click on the timer opens the menu"))
            e2e::Screenshot(std::string("menu_") + s.label);
        e2e::PressKey(VK_ESCAPE);
        CHECK(WaitForMenu(program.id, false), "Esc closes the menu");

        e2e::PressGadget(window, 35);
        HWND dialog = e2e::WaitForWindow(std::string("Horavel ") + s.settings, program.id, 10000);
        if (CHECK(dialog != nullptr, std::string("the settings window is titled in ") + s.language)) {
            CHECK(e2e::WindowText(e2e::FindChild(dialog, kCancel).hwnd) == s.cancel,
                  std::string("Cancel reads \"") + s.cancel + "\"");
            e2e::Pause(300);
            e2e::Screenshot(std::string("settings_general_") + s.label);
            TurnToTab(dialog, 3);
            e2e::ClickWindow(e2e::FindChild(dialog, kWarningPopupPreview).hwnd);
            const e2e::Pixels sign = SignAtItsFullest(program.id);
            if (CHECK(sign.width == 300 && sign.height == 100 && YellowPixels(sign) > 3000, "the warning sign shows, 300 x 100"))
                e2e::Screenshot(std::string("sign_") + s.label, sign);
            e2e::PressKey(VK_ESCAPE);
            CHECK(WaitClosed(dialog), "Esc closes the settings window");
        }
        e2e::StopProgram(program);
    }
    return e2e::Result();
}
