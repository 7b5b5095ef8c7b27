// Numbered images as 32-bit DIB sections (the colours are 24-bit; the spare
// byte saves a conversion on every blit to the screen), each kept selected
// into a memory DC of its own once it is drawn or shown (under Wine every new
// DC and every bitmap selection costs a round of driver work, and the
// readouts are drawn and shown every second), numbered fonts, and the one
// open drawing surface (an image's DC, or the window's own DC).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/bmp_decode.h"
#include "platform/images.h"
#include "platform/win32/dpi.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform::win32 {
namespace {

struct ImageRecord {
    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
    int width = 0;
    int height = 0;
    HDC dc = nullptr;  // holds the bitmap from its first use on
    HGDIOBJ dcOldBitmap = nullptr;
    bool blank = false;  // all black, as made, never drawn on: a new size has nothing to keep
};

std::map<int, ImageRecord> images;
struct FontRecord {
    HFONT font = nullptr;
    std::string face;
    int height = 0;
    bool bold = false;
};
std::map<int, FontRecord> fonts;
int fontDpi = 0;  // 0: the system's

// The open surface.
HDC surface = nullptr;
int surfaceImage = -1;  // -1: none or the window
bool surfaceIsWindow = false;
HGDIOBJ surfaceOldFont = nullptr;  // the window DC's own, put back when the drawing stops

ImageRecord NewBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ImageRecord r;
    r.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &r.bits, nullptr, 0);
    if (!r.bitmap) return {};
    r.width = width;
    r.height = height;
    return r;
}

// Lets the image's bitmap go from its DC (closing it as the drawing surface
// first), so that the bitmap can be deleted or handed on.
void ReleaseDc(int image, ImageRecord& r) {
    if (!r.dc) return;
    if (surfaceImage == image) platform::StopDrawing();
    SelectObject(r.dc, r.dcOldBitmap);
    DeleteDC(r.dc);
    r.dc = nullptr;
}

void Delete(int image) {
    auto it = images.find(image);
    if (it == images.end()) return;
    ReleaseDc(image, it->second);
    DeleteObject(it->second.bitmap);
    images.erase(it);
}

void Replace(int image, const ImageRecord& record) {
    Delete(image);
    images[image] = record;
}

COLORREF Ref(Colour c) { return RGB(Red(c), Green(c), Blue(c)); }

// An image's DC keeps the last font drawn with (putting the DC's own font back
// costs Wine a look-up of the X resources each time). Before a font is deleted
// it leaves every DC: the open surface goes on with the replacement, the
// other image DCs get the stock font.
void LetGoOfFont(HFONT font, HGDIOBJ replacement) {
    if (surface && GetCurrentObject(surface, OBJ_FONT) == font) SelectObject(surface, replacement);
    for (auto& [number, r] : images)
        if (r.dc && r.dc != surface && GetCurrentObject(r.dc, OBJ_FONT) == font)
            SelectObject(r.dc, GetStockObject(SYSTEM_FONT));
}

}  // namespace

HDC ImageDc(int image, int* width, int* height) {
    auto it = images.find(image);
    if (it == images.end()) return nullptr;
    ImageRecord& r = it->second;
    if (!r.dc) {
        r.dc = CreateCompatibleDC(nullptr);
        if (r.dc) r.dcOldBitmap = SelectObject(r.dc, r.bitmap);
    }
    if (width) *width = r.width;
    if (height) *height = r.height;
    return r.dc;
}

SIZE BlitImage(HDC dc, int image, int top, int rows) {
    int w = 0, h = 0;
    HDC source = ImageDc(image, &w, &h);
    if (!source) return SIZE{0, 0};
    const int from = std::clamp(top, 0, h);
    const int to = static_cast<int>(std::clamp<std::int64_t>(static_cast<std::int64_t>(top) + rows, from, h));
    BitBlt(dc, 0, from, w, to - from, source, 0, from, SRCCOPY);
    return SIZE{w, h};
}

SIZE StretchImage(HDC dc, int image, UINT dpi) {
    if (dpi == kDesignDpi) return BlitImage(dc, image);
    int w = 0, h = 0;
    HDC source = ImageDc(image, &w, &h);
    if (!source) return SIZE{0, 0};
    const SIZE size{ToDpi(w, dpi), ToDpi(h, dpi)};
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, w, h, SRCCOPY);
    return size;
}

void ImageBandPrints(int image, std::vector<std::uint64_t>& prints) {
    prints.clear();
    auto it = images.find(image);
    if (it == images.end() || !it->second.bits) return;
    GdiFlush();  // drawing may still be batched
    const ImageRecord& r = it->second;
    const auto* pixels = static_cast<const std::uint32_t*>(r.bits);
    constexpr std::uint64_t basis = 14695981039346656037ull, prime = 1099511628211ull;
    auto pair = [pixels](std::size_t i) {
        std::uint64_t value;
        std::memcpy(&value, pixels + i, sizeof value);
        return value;
    };
    for (int top = 0; top < r.height; top += kBandRows) {
        // FNV-1a over pairs of pixels in four independent lanes: the readouts
        // are looked at every refresh, and one lane waits on each multiplication.
        std::size_t i = static_cast<std::size_t>(top) * r.width;
        const std::size_t end = i + static_cast<std::size_t>(r.width) * std::min(kBandRows, r.height - top);
        std::uint64_t a = basis ^ (static_cast<std::uint64_t>(r.width) << 32 | static_cast<std::uint32_t>(r.height));
        std::uint64_t b = basis, c = basis, d = basis;
        for (; i + 8 <= end; i += 8) {
            a = (a ^ pair(i)) * prime;
            b = (b ^ pair(i + 2)) * prime;
            c = (c ^ pair(i + 4)) * prime;
            d = (d ^ pair(i + 6)) * prime;
        }
        for (; i < end; ++i) a = (a ^ pixels[i]) * prime;
        prints.push_back((((a ^ b) * prime ^ c) * prime ^ d) * prime);
    }
}

HBITMAP TakeImageBitmap(int image) {
    auto it = images.find(image);
    if (it == images.end()) return nullptr;
    ReleaseDc(image, it->second);
    HBITMAP bitmap = it->second.bitmap;
    images.erase(it);
    return bitmap;
}

}  // namespace platform::win32

namespace platform {

using win32::images;
using win32::surface;

bool CreateImage(int image, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    win32::ImageRecord r = win32::NewBitmap(width, height);
    if (!r.bitmap) return false;
    r.blank = true;
    win32::Replace(image, r);
    return true;
}

bool DecodeBmpImage(int image, std::span<const unsigned char> bmp) {
    auto decoded = DecodeBmp(bmp);
    if (!decoded) return false;
    win32::ImageRecord r = win32::NewBitmap(decoded->width, decoded->height);
    if (!r.bitmap) return false;
    auto* pixels = static_cast<std::uint32_t*>(r.bits);  // 0x00RRGGBB, rows top first
    std::copy(decoded->pixels.begin(), decoded->pixels.end(), pixels);
    // Pictures with alpha (the menu icons) are kept premultiplied, as the
    // system's alpha blending of menu bitmaps wants them.
    for (std::size_t i = 0; i < decoded->alpha.size(); ++i) {
        const std::uint32_t a = decoded->alpha[i];
        const Colour c = decoded->pixels[i];
        pixels[i] = a << 24 | static_cast<std::uint32_t>(Rgb(Red(c) * a / 255, Green(c) * a / 255, Blue(c) * a / 255));
    }
    win32::Replace(image, r);
    return true;
}

bool ImageExists(int image) { return images.count(image) != 0; }

void FreeImage(int image) { win32::Delete(image); }

int ImageWidth(int image) { return ImageExists(image) ? images[image].width : 0; }
int ImageHeight(int image) { return ImageExists(image) ? images[image].height : 0; }

void ResizeImage(int image, int width, int height, Resample resample) {
    if (!ImageExists(image) || width <= 0 || height <= 0) return;
    const win32::ImageRecord old = images[image];
    if (old.width == width && old.height == height) return;
    win32::ImageRecord r = win32::NewBitmap(width, height);
    if (!r.bitmap) return;
    if (old.blank) {  // a new bitmap is as black
        r.blank = true;
        win32::Replace(image, r);
        return;
    }
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldTo = SelectObject(to, r.bitmap);
    SetStretchBltMode(to, resample == Resample::Smooth ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, win32::ImageDc(image), 0, 0, old.width, old.height, SRCCOPY);
    SelectObject(to, oldTo);
    DeleteDC(to);
    win32::Replace(image, r);
}

bool LoadFont(int font, const std::string& face, int points, bool bold) {
    const int height = -MulDiv(std::max(points, 1), FontDpi(), 72);
    auto it = win32::fonts.find(font);
    // The readouts ask for their fonts at every refresh, mostly for the ones
    // they already have: Wine matches a font anew at each creation.
    if (it != win32::fonts.end() && it->second.face == face && it->second.height == height && it->second.bold == bold)
        return true;
    HFONT f = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                          win32::Wide(face).c_str());
    if (!f) return false;
    if (it != win32::fonts.end()) {
        win32::LetGoOfFont(it->second.font, f);
        DeleteObject(it->second.font);
    }
    win32::fonts[font] = win32::FontRecord{f, face, height, bold};
    return true;
}

void FreeFont(int font) {
    auto it = win32::fonts.find(font);
    if (it == win32::fonts.end()) return;
    win32::LetGoOfFont(it->second.font, GetStockObject(SYSTEM_FONT));
    DeleteObject(it->second.font);
    win32::fonts.erase(it);
}

void SetFontDpi(int dpi) { win32::fontDpi = dpi > 0 ? dpi : 0; }

int FontDpi() { return win32::fontDpi > 0 ? win32::fontDpi : static_cast<int>(win32::WindowDpi(nullptr)); }

bool StartDrawing(int image) {
    StopDrawing();
    if (!ImageExists(image)) return false;
    surface = win32::ImageDc(image);
    if (!surface) return false;
    images[image].blank = false;
    win32::surfaceImage = image;
    win32::surfaceIsWindow = false;
    SetBkMode(surface, TRANSPARENT);
    return true;
}

bool StartDrawingOnWindow() {
    StopDrawing();
    surface = GetDC(win32::MainWindowHandle());
    if (!surface) return false;
    win32::surfaceOldFont = GetCurrentObject(surface, OBJ_FONT);
    win32::surfaceIsWindow = true;
    SetBkMode(surface, TRANSPARENT);
    return true;
}

void StopDrawing() {
    if (!surface) return;
    if (win32::surfaceIsWindow) {  // an image's DC keeps its font (LetGoOfFont)
        SelectObject(surface, win32::surfaceOldFont);
        ReleaseDC(win32::MainWindowHandle(), surface);
    }
    surface = nullptr;
    win32::surfaceImage = -1;
    win32::surfaceIsWindow = false;
}

bool DrawingIsOpen() { return surface != nullptr; }

void DrawingFont(int font) {
    auto it = win32::fonts.find(font);
    if (surface && it != win32::fonts.end()) SelectObject(surface, it->second.font);
}

void FillBox(const Rect& box, Colour colour) {
    if (!surface || box.width <= 0 || box.height <= 0) return;
    RECT r{box.x, box.y, box.x + box.width, box.y + box.height};
    HBRUSH brush = CreateSolidBrush(win32::Ref(colour));
    FillRect(surface, &r, brush);
    DeleteObject(brush);
}

void DrawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth) {
    if (!surface) return;
    HPEN pen = CreatePen(PS_SOLID, std::max(penWidth, 1), win32::Ref(colour));
    HGDIOBJ old = SelectObject(surface, pen);
    MoveToEx(surface, x1, y1, nullptr);
    LineTo(surface, x2, y2);
    // LineTo leaves out the last point; a wide pen's round end covers it.
    if (penWidth <= 1) SetPixel(surface, x2, y2, win32::Ref(colour));
    SelectObject(surface, old);
    DeleteObject(pen);
}

void DrawImage(int image, int x, int y) {
    auto it = images.find(image);
    if (!surface || it == images.end() || image == win32::surfaceImage) return;
    if (HDC from = win32::ImageDc(image)) BitBlt(surface, x, y, it->second.width, it->second.height, from, 0, 0, SRCCOPY);
}

void FillGradient(const Rect& box, Colour from, Colour to, bool vertical) {
    if (!surface || box.width <= 0 || box.height <= 0) return;
    auto vertex = [](int x, int y, Colour c) {
        TRIVERTEX v{};
        v.x = x;
        v.y = y;
        v.Red = static_cast<COLOR16>(Red(c) << 8);
        v.Green = static_cast<COLOR16>(Green(c) << 8);
        v.Blue = static_cast<COLOR16>(Blue(c) << 8);
        v.Alpha = 0;
        return v;
    };
    TRIVERTEX vertices[2] = {vertex(box.x, box.y, from), vertex(box.x + box.width, box.y + box.height, to)};
    GRADIENT_RECT rect{0, 1};
    GdiGradientFill(surface, vertices, 2, &rect, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void DrawTextAt(int x, int y, const std::string& text, Colour colour) {
    if (!surface) return;
    const std::wstring wide = win32::Wide(text);
    SetTextColor(surface, win32::Ref(colour));
    TextOutW(surface, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int TextWidth(const std::string& text) {
    if (!surface) return 0;
    const std::wstring wide = win32::Wide(text);
    SIZE size{};
    GetTextExtentPoint32W(surface, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

int TextHeight(const std::string& text) {
    if (!surface) return 0;
    const std::wstring wide = win32::Wide(text.empty() ? std::string(" ") : text);
    SIZE size{};
    GetTextExtentPoint32W(surface, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cy;
}

int TextAscent() {
    if (!surface) return 0;
    TEXTMETRICW metrics{};
    GetTextMetricsW(surface, &metrics);
    return metrics.tmAscent;
}

Colour PixelAt(int x, int y) {
    if (!surface) return 0;
    const COLORREF c = GetPixel(surface, x, y);
    if (c == CLR_INVALID) return 0;
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace platform
