// The save command on the display thread: the type list and filter built
// anew for every dialog, the folder and type remembered for the life of the
// library, and the write by the chosen type.
#include "output/save_command_win.h"

#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <commdlg.h>

#include "image/view_state.h"
#include "output/host_savers.h"
#include "output/save_image.h"
#include "output/save_types.h"
#include "platform/file_replace_win.h"
#include "platform/system_message_win.h"

#ifndef _WIN64
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76, "the save dialog's older, 76-byte record");
#endif

// Far more savers than any host has; a count beyond it is not believed.
enum { MAX_HOST_SAVERS = 4096 };

static char g_folder[SAVE_PATH_SIZE];       // where the last file went
static char g_type[SAVE_TYPE_NAME_SIZE];    // the name of the type chosen last
static int g_saving;
static SaveTarget g_target;

static void copyText(char* to, size_t size, const char* from)
{
    snprintf(to, size, "%s", from ? from : "");
}

static const char* saverNameOf(void* context, int k)
{
    return hostSaverName(static_cast<const LWImageUtil*>(context), k);
}

// The types and their filter string; both null when memory runs out.
struct TypeList {
    SaveType* types;
    int count;
    char* filter;
};

static TypeList BuildTypeList(const LWImageUtil* util)
{
    TypeList list = {};
    int savers = hostSaverCount(util);
    if (savers < 0 || savers > MAX_HOST_SAVERS) savers = 0;
    int capacity = savers + 2;
    list.types = static_cast<SaveType*>(calloc(size_t(capacity), sizeof(SaveType)));
    if (!list.types) return list;
    list.count = buildSaveTypes(list.types, capacity, savers, saverNameOf, const_cast<LWImageUtil*>(util));
    size_t size = 1;
    for (int i = 0; i < list.count; i++) size += strlen(list.types[i].name) + 2 * strlen(list.types[i].extension) + 10;
    list.filter = static_cast<char*>(malloc(size));
    if (!list.filter || !buildSaveFilter(list.types, list.count, list.filter, size)) {
        free(list.filter);
        free(list.types);
        return TypeList{};
    }
    return list;
}

static void FreeTypeList(TypeList* list)
{
    free(list->filter);
    free(list->types);
    *list = TypeList{};
}

const SaveTarget* AskSaveTarget(HWND owner, const char* defaultName, const SaveHooks& hooks)
{
    if (!g_folder[0] && hooks.hostDirectory) copyText(g_folder, sizeof g_folder, hooks.hostDirectory("Output"));
    char path[SAVE_PATH_SIZE], title[SAVE_PATH_SIZE];
    offeredFileName(defaultName ? defaultName : "", path, sizeof path);
    copyText(title, sizeof title, path);

    TypeList list = BuildTypeList(hooks.imageUtil ? hooks.imageUtil() : nullptr);
    if (!list.types) return nullptr;  // no memory for the dialog: the save is quietly abandoned
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = list.filter;
    dialog.nFilterIndex = DWORD(findSaveType(list.types, list.count, g_type) + 1);
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrFileTitle = title;
    dialog.nMaxFileTitle = sizeof title;
    dialog.lpstrInitialDir = g_folder[0] ? g_folder : nullptr;
    dialog.lpstrTitle = "Save ZR image buffer";
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

    const SaveTarget* target = nullptr;
    if (GetSaveFileNameA(&dialog)) {
        int i = int(dialog.nFilterIndex) - 1;
        if (i < 0 || i >= list.count) i = 0;
        copyText(g_folder, sizeof g_folder, path);
        if (dialog.nFileOffset < sizeof g_folder) g_folder[dialog.nFileOffset] = '\0';
        copyText(g_type, sizeof g_type, list.types[i].name);
        g_target.whole = addExtension(list.types[i], path, sizeof path, title, sizeof title) &&
                         strlen(title) < VIEW_NAME_SIZE;  // the image takes the title as its name
        copyText(g_target.path, sizeof g_target.path, path);
        copyText(g_target.title, sizeof g_target.title, title);
        g_target.type = i + TYPE_ZR_BMP;
        // The host's saver may go by its file's extension: its temporary has the type's.
        const char* extension = list.types[i].extension;
        if (extension[0] == '*')
            g_target.extension[0] = '\0';
        else
            snprintf(g_target.extension, sizeof g_target.extension, ".%s", extension);
        target = &g_target;
    }
    FreeTypeList(&list);
    return target;
}

// The system's reason, when a system call gave one, goes on a line of its own.
static void ReportSaveFailed(HWND viewer, const char* path, SaveOutcome outcome)
{
    char text[SAVE_PATH_SIZE + 80 + 256];
    if (outcome == SAVE_NO_MEMORY) {
        snprintf(text, sizeof text, "Not enough memory to save %s.", path);
    } else {
        snprintf(text, sizeof text, "The image couldn't be saved as\n%s", path);
        appendSystemReason(text, sizeof text, lastFileFailure());
    }
    MessageBoxA(viewer, text, "ZR", MB_ICONEXCLAMATION | MB_OK);
}

static SaveOutcome WriteTarget(HWND viewer, const SaveTarget& target, const SaveHooks& hooks)
{
    if (!target.whole) return SAVE_FAILED;  // no room for the whole name: nothing is written
    const ViewState* vs = viewState();  // read again: the dialog ran a message loop
    const FileDestination to = {target.path, target.extension[0] ? target.extension : nullptr, windowsFiles()};
    if (hooks.busy) hooks.busy(viewer, 1);
    clearFileFailure();
    SaveOutcome result =
        saveImageAs(vs->view, vs->channelView, target.type, to, hooks.imageUtil ? hooks.imageUtil() : nullptr,
                    hooks.progress);
    if (hooks.busy) hooks.busy(viewer, 0);
    return result;
}

// The image takes the file's name only once the file is there: a failed
// save must not name the image after a file that does not exist.
int SaveCurrentImage(HWND viewer, const SaveHooks& hooks)
{
    if (g_saving) return 0;
    g_saving = 1;
    const ViewState* vs = viewState();
    const SaveTarget* target = vs->view ? AskSaveTarget(viewer, vs->view->name, hooks) : nullptr;
    SaveOutcome result = target ? WriteTarget(viewer, *target, hooks) : SAVE_FAILED;
    if (result == SAVE_WRITTEN) {
        View* view = viewState()->view;
        copyText(view->name, sizeof view->name, target->title);
        if (hooks.showName) hooks.showName(view->name);
    } else if (target) {
        ReportSaveFailed(viewer, target->path, result);
    }
    g_saving = 0;
    return result == SAVE_WRITTEN;
}
