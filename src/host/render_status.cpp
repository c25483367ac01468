#include "host/render_status.h"

#include <string.h>

bool isRenderStatusWindow(const char* className, const char* title)
{
    return strcmp(className, "WMgrBasic") == 0 && strncmp(title, "Render Status", 13) == 0;
}
