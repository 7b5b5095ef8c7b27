#include "display/alerts.h"

void ScreenFlash(int) {}
void AlertPopup(int) {}
void PreviewAlertPopup(int) {}
