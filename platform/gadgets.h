#pragma once
// Child elements of the main window, addressed by number: image gadgets (an
// image shown at a place; clicks arrive as gadget events) and push buttons.
#include <string>

#include "platform/types.h"

namespace platform {

bool CreateImageGadget(int gadget, int x, int y, int width, int height, int image);
bool CreateButtonGadget(int gadget, int x, int y, int width, int height, const std::string& caption);
bool GadgetExists(int gadget);

void ResizeGadget(int gadget, int x, int y, int width, int height);
Rect GadgetRect(int gadget);        // client coordinates of the main window
Rect GadgetScreenRect(int gadget);  // screen coordinates
void ShowGadget(int gadget, bool visible);

void SetGadgetText(int gadget, const std::string& text);
std::string GetGadgetText(int gadget);

// The image an image gadget shows; setting it redraws the gadget.
void SetGadgetImageNumber(int gadget, int image);
int GetGadgetImageNumber(int gadget);

// Empty text removes the gadget's tool tip.
void SetGadgetToolTip(int gadget, const std::string& text);

}  // namespace platform
