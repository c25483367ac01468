#include "dialogs/about_layout.h"

#include <stdio.h>

ScreenPoint placeAboutBox(const ScreenRect& owner, int32_t width, int32_t height, const ScreenRect& desktop)
{
    int32_t x = owner.left + (owner.right - owner.left - width) / 2;
    int32_t y = owner.top + (owner.bottom - owner.top - height) / 2;
    if (y + height > desktop.bottom) y = desktop.bottom - height;
    if (x + width > desktop.right) x = desktop.right - width;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    return ScreenPoint{x, y};
}

void buildDateText(const char* compilerDate, char* text, int size)
{
    if (size <= 0) return;
    char month[4] = "";
    int day = 0, year = 0;
    if (sscanf(compilerDate, "%3s %d %d", month, &day, &year) == 3)
        snprintf(text, size_t(size), "%s %d %d", month, day, year);
    else
        snprintf(text, size_t(size), "%s", compilerDate);
}
