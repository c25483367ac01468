// Files created exclusively and replaced in one step, as Windows does it.
#include "platform/file_replace_win.h"

#include <windows.h>

static DWORD s_failure;  // the display thread's and the unload's writes never overlap

// Consecutive candidates: a one-character stem has 36, all of them tried.
enum { TEMPORARY_ATTEMPTS = 64 };

static int createTemporary(const char* target, const char* extension, char* temporary, size_t size)
{
    // Another process's (or an earlier crash's) temporaries may sit in the
    // folder, so the candidates start somewhere new each time.
    static LONG s_counter;
    unsigned start = unsigned(GetTickCount()) ^ (unsigned(GetCurrentProcessId()) << 16) ^
                     unsigned(InterlockedIncrement(&s_counter)) * 7919u;
    for (unsigned n = 0; n < TEMPORARY_ATTEMPTS; n++) {
        if (!temporaryPath(target, extension, start + n, temporary, size)) return 0;
        HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            SetLastError(0);  // a writer's failure that is no system call's leaves no stale reason
            return 1;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) break;
    }
    s_failure = GetLastError();
    return 0;
}

// MoveFileEx replaces in one step: the target is either the old file or the
// new one, never neither; when it cannot (the target held open without
// delete sharing), both stay as they were.
static int replace(const char* temporary, const char* target)
{
    return MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

static void noteFailure()
{
    s_failure = GetLastError();
}

const FileReplacer* windowsFiles()
{
    static const FileReplacer files = {createTemporary, replace, noteFailure};
    return &files;
}

unsigned lastFileFailure()
{
    return unsigned(s_failure);
}

void clearFileFailure()
{
    s_failure = 0;
}
