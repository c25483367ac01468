#include "dialogs/about_layout.h"

#include <stdio.h>

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
