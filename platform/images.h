#pragma once
// Numbered off-screen images (24-bit), numbered fonts and the drawing surface.
// Drawing works on one open surface at a time, like a device context: open it
// with StartDrawing, draw, close it with StopDrawing. Every drawing call does
// nothing while no surface is open.
#include <span>
#include <string>

#include "platform/types.h"

namespace platform {

// Images. A new image is black.
bool CreateImage(int image, int width, int height);
// Decodes an uncompressed BMP file held in memory: 24-bit, 8-bit with a colour
// table, or 32-bit with alpha (kept for the pictures beside menu entries).
bool DecodeBmpImage(int image, std::span<const unsigned char> bmp);
bool ImageExists(int image);
void FreeImage(int image);
int ImageWidth(int image);
int ImageHeight(int image);
enum class Resample { Nearest, Smooth };
// Sizes of zero or less leave the image as it is.
void ResizeImage(int image, int width, int height, Resample resample);

// Fonts, by point size at the dots per inch set last (the system's until then).
bool LoadFont(int font, const std::string& face, int points, bool bold);
void FreeFont(int font);
void SetFontDpi(int dpi);
int FontDpi();

// The drawing surface.
bool StartDrawing(int image);
bool StartDrawingOnWindow();  // the main window's screen surface, for measuring
void StopDrawing();
bool DrawingIsOpen();
void DrawingFont(int font);
void FillBox(const Rect& box, Colour colour);
// A solid line, both end points included; a wider pen is centred on it.
void DrawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth = 1);
// Copies a whole image with its top-left at (x, y); an image cannot be drawn into itself.
void DrawImage(int image, int x, int y);
// A linear two-colour fill of the box, left to right or top to bottom.
// Nothing is drawn for a box of zero or negative size.
void FillGradient(const Rect& box, Colour from, Colour to, bool vertical);
// Text with a transparent background; (x, y) is the top-left of the text cell.
void DrawTextAt(int x, int y, const std::string& text, Colour colour);
int TextWidth(const std::string& text);
int TextHeight(const std::string& text);
int TextAscent();
Colour PixelAt(int x, int y);

}  // namespace platform
