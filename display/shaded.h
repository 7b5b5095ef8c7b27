#pragma once
// The 3D look: boxes shaded like lit cylinders, drawn on the open drawing surface.
#include "platform/types.h"

// Direction 0 shades across the width (left edge, middle, right edge), 1 down the
// height. Schemes 0 to 10; any other number, and teal (2) downwards, draw nothing.
void ShadedBox(int x, int y, int width, int height, int scheme, int edgePercent, int direction);
// One linear two-colour fill; nothing when no drawing surface is open.
void GradientBand(int x, int y, int width, int height, platform::Colour from, platform::Colour to, int direction);
// The thickness of each edge band of a box extent pixels across.
int ShadedEdge(int extent, int edgePercent);
