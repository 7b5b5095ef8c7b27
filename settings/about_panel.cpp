#include "settings/about_panel.h"

int TurnAboutPage(int page, int step) {
    return ((page + step) % about::PageCount + about::PageCount) % about::PageCount;
}

void RenderAboutPage(int) {}
