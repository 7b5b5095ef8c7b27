#pragma once
// The 3D look: boxes shaded like lit cylinders, drawn on the open drawing surface.
#include "platform/types.h"

void ShadedBox(int x, int y, int width, int height, int scheme, int edgePercent, int direction);
void GradientBand(int x, int y, int width, int height, platform::Colour from, platform::Colour to, int direction);
