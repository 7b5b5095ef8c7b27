#include "display/shaded.h"

void ShadedBox(int, int, int, int, int, int, int) {}
void GradientBand(int, int, int, int, platform::Colour, platform::Colour, int) {}
