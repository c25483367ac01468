#include "dialogs/placement.h"

ScreenPoint placeOverOwner(const ScreenRect& owner, int32_t width, int32_t height, const ScreenRect& desktop)
{
    int32_t x = owner.left + (owner.right - owner.left - width) / 2;
    int32_t y = owner.top + (owner.bottom - owner.top - height) / 2;
    if (y + height > desktop.bottom) y = desktop.bottom - height;
    if (x + width > desktop.right) x = desktop.right - width;
    if (x < desktop.left) x = desktop.left;
    if (y < desktop.top) y = desktop.top;
    return ScreenPoint{x, y};
}
