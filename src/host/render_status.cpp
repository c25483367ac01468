#include "host/render_status.h"

#include <string.h>

bool isRenderStatusClass(const char* className)
{
    return strcmp(className, "WMgrBasic") == 0;
}

bool isRenderStatusWindow(const char* className, const char* title)
{
    return isRenderStatusClass(className) && strncmp(title, "Render Status", 13) == 0;
}
