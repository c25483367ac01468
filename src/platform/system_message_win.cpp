#include "platform/system_message_win.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

void systemMessage(unsigned code, char* text, size_t size)
{
    if (size == 0) return;
    text[0] = '\0';
    if (code == 0) return;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             DWORD(size), nullptr);
    if (n == 0) text[0] = '\0';
    size_t length = strlen(text);
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' '))
        text[--length] = '\0';
}

void appendSystemReason(char* message, size_t size, unsigned code)
{
    char reason[256];
    systemMessage(code, reason, sizeof reason);
    size_t length = strlen(message);
    if (reason[0] && length + 1 + strlen(reason) < size) snprintf(message + length, size - length, "\n%s", reason);
}
