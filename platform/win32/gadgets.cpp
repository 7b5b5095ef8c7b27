// Gadgets of the main window: image gadgets are a small window class of our
// own that paints a numbered image and reports clicks; push buttons another
// (push_button.cpp). Tool tips come from one shared tool-tip control.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/gadgets.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform::win32 {
namespace {

const wchar_t kImageClass[] = L"HoravelImage";

struct GadgetRecord {
    HWND hwnd = nullptr;
    int image = -1;  // image gadgets only
    std::string toolTip;
    int order = 0;  // creation order: a later gadget stands above an earlier one
    std::vector<std::uint64_t> shown;  // band prints of the image SetGadgetImageNumber last put on the screen
};

std::map<int, GadgetRecord> gadgets;
int created = 0;
HWND toolTips = nullptr;

GadgetRecord* Find(int g) {
    auto it = gadgets.find(g);
    return it == gadgets.end() ? nullptr : &it->second;
}

// Puts the gadget's image on the device context; what it does not cover stays black.
void DrawImage(HWND hwnd, HDC dc) {
    RECT client;
    GetClientRect(hwnd, &client);
    GadgetRecord* record = Find(GetDlgCtrlID(hwnd));
    const SIZE size = record ? BlitImage(dc, record->image) : SIZE{0, 0};
    const int w = size.cx, h = size.cy;
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (w < client.right) {
        RECT right{w, 0, client.right, client.bottom};
        FillRect(dc, &right, black);
    }
    if (h < client.bottom) {
        RECT below{0, h, client.right, client.bottom};
        FillRect(dc, &below, black);
    }
}

void PaintImage(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    DrawImage(hwnd, dc);
    EndPaint(hwnd, &ps);
}

// An image gadget standing on an earlier gadget (a small button or grip on a
// strip) is seen but lets the pointer through: the gadget below gets the
// clicks, and the program tells the parts of a strip apart by where the
// pointer is.
bool StandsOnAnother(HWND hwnd, POINT screen) {
    const GadgetRecord* self = Find(GetDlgCtrlID(hwnd));
    if (!self) return false;
    for (const auto& [g, other] : gadgets) {
        RECT r;
        if (other.order < self->order && IsWindowVisible(other.hwnd) && GetWindowRect(other.hwnd, &r) &&
            PtInRect(&r, screen))
            return true;
    }
    return false;
}

LRESULT CALLBACK ImageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            if (StandsOnAnother(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return HTTRANSPARENT;
            return HTCLIENT;
        case WM_PAINT:
            PaintImage(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything: no flicker
        case WM_LBUTTONDOWN:
            // Held so that the release is seen even outside the window; a
            // move or resize started by the click takes the pointer over.
            SetCapture(hwnd);
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                         reinterpret_cast<LPARAM>(hwnd));
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            return 0;
        case WM_RBUTTONUP:
            QueueGadgetEvent(GetDlgCtrlID(hwnd), GadgetRightClick);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool Create(int g, const wchar_t* windowClass, int x, int y, int w, int h, const std::string& text) {
    if (Find(g)) DestroyWindow(gadgets[g].hwnd);
    // Gadgets overlap (the small buttons and the grip stand on the strips):
    // each one clips its siblings, and a later gadget stands above the earlier
    // ones, so whichever paints last cannot cover a button.
    HWND hwnd = CreateWindowExW(0, windowClass, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                x, y, w, h, MainWindowHandle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(g)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return false;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    gadgets[g] = GadgetRecord{hwnd, -1, {}, ++created, {}};
    return true;
}

}  // namespace

void RegisterGadgetClass() {
    // A DC of its own: the readouts are shown every second, and a DC from the
    // common cache is set up afresh at every GetDC.
    RegisterWindowClass(kImageClass, ImageProc, CS_DBLCLKS | CS_OWNDC);
    RegisterPushButtonClass();
}

void DestroyGadgets() {
    for (auto& [g, record] : gadgets) DestroyWindow(record.hwnd);
    gadgets.clear();
    if (toolTips) DestroyWindow(toolTips);
    toolTips = nullptr;
}

bool BelongsToMainWindow(HWND hwnd) {
    HWND main = MainWindowHandle();
    return hwnd && main && (hwnd == main || GetParent(hwnd) == main);
}

}  // namespace platform::win32

namespace platform {

using win32::Find;

bool CreateImageGadget(int g, int x, int y, int width, int height, int image) {
    if (!win32::Create(g, win32::kImageClass, x, y, width, height, "")) return false;
    win32::gadgets[g].image = image;
    return true;
}

bool CreateButtonGadget(int g, int x, int y, int width, int height, const std::string& caption) {
    return win32::Create(g, win32::kPushButtonClass, x, y, width, height, caption);
}

bool GadgetExists(int g) { return Find(g) != nullptr; }

void ResizeGadget(int g, int x, int y, int width, int height) {
    auto* r = Find(g);
    // Setting a gadget where it already stands changes nothing on the screen,
    // and the layout and the refresh do that often.
    if (!r || GadgetRect(g) == Rect{x, y, width, height}) return;
    // Painted afresh from its image at the new place: copied bits would carry
    // along whatever stood over the gadget at the old one.
    SetWindowPos(r->hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

Rect GadgetScreenRect(int g) {
    auto* r = Find(g);
    if (!r) return {};
    RECT w;
    GetWindowRect(r->hwnd, &w);
    return {w.left, w.top, w.right - w.left, w.bottom - w.top};
}

Rect GadgetRect(int g) {
    auto* r = Find(g);
    if (!r) return {};
    Rect s = GadgetScreenRect(g);
    POINT p{s.x, s.y};
    ScreenToClient(win32::MainWindowHandle(), &p);
    return {p.x, p.y, s.width, s.height};
}

void ShowGadget(int g, bool visible) {
    if (auto* r = Find(g)) ShowWindow(r->hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetGadgetText(int g, const std::string& text) {
    if (auto* r = Find(g)) SetWindowTextW(r->hwnd, win32::Wide(text).c_str());
}

std::string GetGadgetText(int g) {
    auto* r = Find(g);
    if (!r) return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(r->hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(r->hwnd, text.data(), static_cast<int>(text.size()))));
    return win32::Utf8(text);
}

void SetGadgetImageNumber(int g, int image) {
    auto* r = Find(g);
    if (!r) return;
    // Shown at once, in one blit: the readouts are drawn off-screen first.
    if (!IsWindowVisible(r->hwnd)) {
        r->image = image;
        r->shown.clear();
        InvalidateRect(r->hwnd, nullptr, FALSE);  // painted when it is shown
        return;
    }
    // A slow timer's refresh changes a few rows, or none: only the bands from
    // the first to the last changed one go to the screen (a repaint of the
    // gadget draws the whole image afresh anyway).
    static std::vector<std::uint64_t> prints;
    win32::ImageBandPrints(image, prints);
    const bool sameImage = r->image == image && !prints.empty() && prints.size() == r->shown.size();
    std::size_t first = 0, end = prints.size();
    if (sameImage) {
        while (first < end && prints[first] == r->shown[first]) ++first;
        while (end > first && prints[end - 1] == r->shown[end - 1]) --end;
        if (first == end) return;
    }
    r->image = image;
    r->shown.swap(prints);
    HDC dc = GetDC(r->hwnd);
    if (sameImage) {
        const int top = static_cast<int>(first) * win32::kBandRows;
        win32::BlitImage(dc, image, top, static_cast<int>(end - first) * win32::kBandRows);
    } else {
        win32::DrawImage(r->hwnd, dc);
    }
    ReleaseDC(r->hwnd, dc);
}

int GetGadgetImageNumber(int g) {
    auto* r = Find(g);
    return r ? r->image : -1;
}

void SetGadgetToolTip(int g, const std::string& text) {
    auto* r = Find(g);
    if (!r || r->toolTip == text) return;
    if (!win32::toolTips) {
        // Owned by no window: under Wine a top-most popup owned by the main
        // window takes the main window's place in the top-most band when that
        // is made top-most, and the main window loses WS_EX_TOPMOST.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        if (!InitCommonControlsEx(&controls)) return;
        win32::toolTips = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                          WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                          CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!win32::toolTips) return;
    }
    std::wstring wide = win32::Wide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = win32::MainWindowHandle();
    tool.uId = reinterpret_cast<UINT_PTR>(r->hwnd);
    tool.lpszText = wide.data();
    SendMessageW(win32::toolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!text.empty()) SendMessageW(win32::toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    r->toolTip = text;
}

}  // namespace platform
