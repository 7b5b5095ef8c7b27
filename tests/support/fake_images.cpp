// Images and drawing of the fake platform: plain RGB buffers, and text drawn as
// one solid block per character so tests can find it by colour.
#include <algorithm>

#include "lang/utf8.h"
#include "platform/bmp_decode.h"
#include "tests/support/fake_platform.h"

using fake::state;

namespace {

fake::Image* Surface() {
    if (state.drawingImage < 0) return nullptr;
    auto it = state.images.find(state.drawingImage);
    return it == state.images.end() ? nullptr : &it->second;
}

void Plot(fake::Image& im, int x, int y, platform::Colour c) {
    if (x < 0 || y < 0 || x >= im.width || y >= im.height) return;
    im.pixels[static_cast<std::size_t>(y) * im.width + x] = c;
}

const fake::Font* CurrentFont() {
    auto it = state.fonts.find(state.drawingFont);
    return it == state.fonts.end() ? nullptr : &it->second;
}

int Channel(int from, int to, int i, int n) { return from + (to - from) * i / n; }

}  // namespace

namespace platform {

bool CreateImage(int image, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    fake::Image im;
    im.width = width;
    im.height = height;
    im.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    state.images[image] = std::move(im);
    return true;
}

bool DecodeBmpImage(int image, std::span<const unsigned char> bmp) {
    auto decoded = DecodeBmp(bmp);
    if (!decoded) return false;
    fake::Image im;
    im.width = decoded->width;
    im.height = decoded->height;
    im.pixels = std::move(decoded->pixels);
    im.alpha = std::move(decoded->alpha);
    state.images[image] = std::move(im);
    return true;
}

bool ImageExists(int image) { return state.images.count(image) != 0; }
void FreeImage(int image) { state.images.erase(image); }
int ImageWidth(int image) { return ImageExists(image) ? state.images[image].width : 0; }
int ImageHeight(int image) { return ImageExists(image) ? state.images[image].height : 0; }

void ResizeImage(int image, int width, int height, Resample) {
    if (!ImageExists(image) || width <= 0 || height <= 0) return;
    const fake::Image old = state.images[image];
    CreateImage(image, width, height);
    fake::Image& im = state.images[image];
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Plot(im, x, y, old.pixels[static_cast<std::size_t>(y * old.height / height) * old.width + x * old.width / width]);
}

bool LoadFont(int font, const std::string& face, int points, bool bold) {
    state.fonts[font] = fake::Font{face, points, bold};
    return true;
}
void FreeFont(int font) { state.fonts.erase(font); }
void SetFontDpi(int dpi) { state.dpiY = dpi > 0 ? dpi : 96; }
int FontDpi() { return state.dpiY; }

bool StartDrawing(int image) {
    if (!ImageExists(image)) return false;
    state.drawingImage = image;
    return true;
}
bool StartDrawingOnWindow() {
    if (!state.windowOpen) return false;
    state.drawingImage = -2;
    return true;
}
void StopDrawing() { state.drawingImage = -1; }
bool DrawingIsOpen() { return state.drawingImage != -1; }
void DrawingFont(int font) { state.drawingFont = font; }

void FillBox(const Rect& box, Colour colour) {
    fake::Image* im = Surface();
    if (!im) return;
    for (int y = box.y; y < box.y + box.height; ++y)
        for (int x = box.x; x < box.x + box.width; ++x) Plot(*im, x, y, colour);
}

void DrawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth) {
    fake::Image* im = Surface();
    if (!im) return;
    // A wide pen is a square of its width centred on each point of the line.
    const int before = (std::max(penWidth, 1) - 1) / 2, after = std::max(penWidth, 1) / 2;
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    for (int i = 0; i <= steps; ++i) {
        const int x = steps ? x1 + (x2 - x1) * i / steps : x1;
        const int y = steps ? y1 + (y2 - y1) * i / steps : y1;
        for (int dy = -before; dy <= after; ++dy)
            for (int dx = -before; dx <= after; ++dx) Plot(*im, x + dx, y + dy, colour);
    }
}

void DrawImage(int image, int x, int y) {
    fake::Image* im = Surface();
    auto it = state.images.find(image);
    if (!im || it == state.images.end() || image == state.drawingImage) return;
    const fake::Image& from = it->second;
    for (int row = 0; row < from.height; ++row)
        for (int col = 0; col < from.width; ++col)
            Plot(*im, x + col, y + row, from.pixels[static_cast<std::size_t>(row) * from.width + col]);
}

void FillGradient(const Rect& box, Colour from, Colour to, bool vertical) {
    fake::Image* im = Surface();
    if (!im || box.width <= 0 || box.height <= 0) return;
    const int n = vertical ? box.height : box.width;
    for (int i = 0; i < n; ++i) {
        const Colour c = Rgb(Channel(Red(from), Red(to), i, n), Channel(Green(from), Green(to), i, n),
                             Channel(Blue(from), Blue(to), i, n));
        if (vertical)
            FillBox({box.x, box.y + i, box.width, 1}, c);
        else
            FillBox({box.x + i, box.y, 1, box.height}, c);
    }
}

void DrawTextAt(int x, int y, const std::string& text, Colour colour) {
    const fake::Font* font = CurrentFont();
    if (!font || !Surface()) return;
    const int w = fake::CharWidth(*font), h = fake::CharHeight(*font);
    int cx = x;
    for (unsigned char c : text) {
        if (!StartsCharacter(c)) continue;
        if (c != ' ') FillBox({cx, y, std::max(1, w - 1), h}, colour);
        cx += w;
    }
}

int TextWidth(const std::string& text) {
    const fake::Font* font = CurrentFont();
    return font && DrawingIsOpen() ? CharacterCount(text) * fake::CharWidth(*font) : 0;
}
int TextHeight(const std::string&) {
    const fake::Font* font = CurrentFont();
    return font && DrawingIsOpen() ? fake::CharHeight(*font) : 0;
}
int TextAscent() {
    const fake::Font* font = CurrentFont();
    return font && DrawingIsOpen() ? fake::CharHeight(*font) * 4 / 5 : 0;
}

Colour PixelAt(int x, int y) {
    fake::Image* im = Surface();
    if (!im || x < 0 || y < 0 || x >= im->width || y >= im->height) return 0;
    return im->pixels[static_cast<std::size_t>(y) * im->width + x];
}

}  // namespace platform
