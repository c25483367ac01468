// zrhost: a stand-in for LightWave 3D that loads a frame buffer plug-in,
// activates its servers with the host's services, and drives it.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "zrhost/dialog_remote.h"
#include "zrhost/host_services.h"
#include "zrhost/host_session.h"
#include "zrhost/ingest_timing.h"
#include "zrhost/render.h"
#include "zrhost/scene_file.h"
#include "zrhost/viewer_remote.h"

struct Options {
    const char* pluginPath;
    int info;
    int about;  // press the interface server's options button
    int version;
    const char* sceneLoad;
    const char* sceneSave;
    RenderOptions render;
    const char* keys;
    int pointer;  // 1 when the pointer goes to pointerX, pointerY of the pane
    int pointerX, pointerY;
    const char* screenshot;
    const char* sheetShots;  // prefix of the sheet's page captures
    const char* textDialogShots;  // prefix of the Add Text dialog's captures
    const char* dumpClipboard;  // where the clipboard's CF_DIB goes, as another program reads it
    const char* saves[8];  // NAME:TYPE each, typed into the save dialog in turn
    int saveCount;
    const char* print;   // COPIES[:PRINTER], chosen in the print dialog
    int quitAfterMs;  // -1: wait until the viewer is closed
    int ingestFrames;  // > 0: time that many frames into the viewer
};

static void usage()
{
    fputs("usage: zrhost --plugin PATH [--info] [--about] [--version N] [--omit SERVICE]...\n"
          "              [--settings-dir DIR] [--output-dir DIR] [--time SECONDS]\n"
          "              [--scene-load FILE] [--scene-save FILE]\n"
          "              [--frames N] [--size WxH] [--fps F] [--first-frame N] [--interval MS]\n"
          "              [--pattern bars|ramps|hdr|spheres|file:PATH] [--no-render-status]\n"
          "              [--keys TEXT] [--pointer X,Y] [--screenshot FILE.bmp] [--sheet-shots PREFIX]\n"
          "              [--text-dialog-shots PREFIX]\n"
          "              [--save NAME:TYPE]... [--print COPIES[:PRINTER]]\n"
          "              [--quit-after MS]\n"
          "       zrhost --dump-clipboard FILE  (the clipboard's CF_DIB, as it holds it)\n"
          "              [--ingest-timing N]  (N frames of --size after ten, timed until painted)\n"
          "SERVICE: display, dir, imageutil, fileio, interface, scene (or the full name)\n",
          stderr);
}

// The Add Text dialog opened on the image's lower left, as it opens, and
// with its face list dropped; then cancelled.
static int captureTextDialog(HWND viewer, const char* prefix)
{
    HWND dialog = openTextDialog(viewer, 24, 330);
    if (!dialog) return 0;
    // The client area: where no window manager draws the frame, there is none.
    RECT area;
    GetClientRect(dialog, &area);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&area), 2);
    pumpMessages(200);
    std::string first = std::string(prefix) + "1.bmp", second = std::string(prefix) + "2.bmp";
    int ok = captureScreen(area, first.c_str());
    HWND faces = GetDlgItem(dialog, 101);
    PostMessageA(faces, CB_SHOWDROPDOWN, TRUE, 0);
    pumpMessages(300);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    RECT list = {};
    if (GetComboBoxInfo(faces, &info) && GetWindowRect(info.hwndList, &list)) UnionRect(&area, &area, &list);
    ok = captureScreen(area, second.c_str()) && ok;
    PostMessageA(faces, CB_SHOWDROPDOWN, FALSE, 0);
    pressDialogButton(dialog, IDCANCEL);
    waitUntilClosed(dialog, 5000);
    if (ok) printf("text dialog: %s1.bmp, %s2.bmp\n", prefix, prefix);
    return ok;
}

static void copyPath(char* to, const char* from)
{
    snprintf(to, MAX_PATH, "%s", from);
}

// 1 when the command line is sound.
static int parseOptions(int argc, char** argv, Options* options, HostConfig* config)
{
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (strcmp(a, "--info") == 0) {
            options->info = 1;
            continue;
        }
        if (strcmp(a, "--about") == 0) {
            options->about = 1;
            continue;
        }
        if (strcmp(a, "--no-render-status") == 0) {
            options->render.renderStatus = false;
            continue;
        }
        if (!value) return 0;
        i++;
        if (strcmp(a, "--plugin") == 0) {
            options->pluginPath = value;
        } else if (strcmp(a, "--version") == 0) {
            options->version = atoi(value);
        } else if (strcmp(a, "--omit") == 0) {
            HostService s = serviceByName(value);
            if (s == SERVICE_COUNT) return 0;
            config->omitted |= 1u << s;
        } else if (strcmp(a, "--settings-dir") == 0) {
            copyPath(config->settingsDir, value);
        } else if (strcmp(a, "--output-dir") == 0) {
            copyPath(config->outputDir, value);
        } else if (strcmp(a, "--scene-load") == 0) {
            options->sceneLoad = value;
        } else if (strcmp(a, "--scene-save") == 0) {
            options->sceneSave = value;
        } else if (strcmp(a, "--frames") == 0) {
            options->render.frames = atoi(value);
        } else if (strcmp(a, "--size") == 0) {
            if (sscanf(value, "%dx%d", &options->render.width, &options->render.height) != 2) return 0;
        } else if (strcmp(a, "--fps") == 0) {
            options->render.fps = atof(value);
            if (!(options->render.fps > 0)) return 0;
        } else if (strcmp(a, "--first-frame") == 0) {
            options->render.firstFrame = atoi(value);
        } else if (strcmp(a, "--interval") == 0) {
            options->render.intervalMs = atoi(value);
        } else if (strcmp(a, "--pattern") == 0) {
            options->render.pattern = value;
        } else if (strcmp(a, "--keys") == 0) {
            options->keys = value;
        } else if (strcmp(a, "--pointer") == 0) {  // negative: from the pane's right or bottom
            if (sscanf(value, "%d,%d", &options->pointerX, &options->pointerY) != 2) return 0;
            options->pointer = 1;
        } else if (strcmp(a, "--screenshot") == 0) {
            options->screenshot = value;
        } else if (strcmp(a, "--dump-clipboard") == 0) {
            options->dumpClipboard = value;
        } else if (strcmp(a, "--save") == 0) {
            if (!strchr(value, ':')) return 0;
            if (options->saveCount == int(sizeof options->saves / sizeof options->saves[0])) return 0;
            options->saves[options->saveCount++] = value;
        } else if (strcmp(a, "--print") == 0) {
            if (atoi(value) <= 0) return 0;
            options->print = value;
        } else if (strcmp(a, "--sheet-shots") == 0) {
            options->sheetShots = value;
        } else if (strcmp(a, "--text-dialog-shots") == 0) {
            options->textDialogShots = value;
        } else if (strcmp(a, "--ingest-timing") == 0) {
            options->ingestFrames = atoi(value);
        } else if (strcmp(a, "--quit-after") == 0) {
            options->quitAfterMs = atoi(value);
        } else if (strcmp(a, "--time") == 0) {
            config->interfaceInfo.curTime = atof(value);
        } else {
            return 0;
        }
    }
    return options->pluginPath != nullptr || options->dumpClipboard != nullptr;
}

// A message box the viewer showed after a save or print, reported; 1 when
// there was none.
static int noComplaint(HWND viewer, const char* caption)
{
    MessageBoxText box;
    if (!readAndCloseMessageBox(viewer, caption, 1000, &box)) return 1;
    fprintf(stderr, "zrhost: the viewer said: %s\n", box.text.c_str());
    return 0;
}

// Saves through the dialog as NAME:TYPE (the type's place in its list).
static int saveThroughDialog(HWND viewer, const char* request)
{
    const char* colon = strrchr(request, ':');
    HWND dialog = openSaveDialog(viewer);
    if (!dialog) {
        fprintf(stderr, "zrhost: no save dialog appeared\n");
        return 0;
    }
    saveAs(dialog, std::string(request, size_t(colon - request)), atoi(colon + 1));
    waitUntilClosed(dialog, 10000);
    settleViewer(viewer);
    return noComplaint(viewer, "ZR");
}

// Prints COPIES[:PRINTER] and waits until the pages went out.
static int printThroughDialog(HWND viewer, const char* request)
{
    const char* colon = strchr(request, ':');
    HWND dialog = openPrintDialog(viewer);
    if (!dialog) {
        fprintf(stderr, "zrhost: no print dialog appeared\n");
        return 0;
    }
    printWith(dialog, colon ? colon + 1 : "", atoi(request));
    waitUntilClosed(dialog, 10000);
    waitForPrintToEnd(viewer);
    settleViewer(viewer);
    return noComplaint(viewer, "Printing Problem");
}

// Types the keys, takes the screenshot, then waits: for the given time, or
// until the artist closes the viewer.
static int driveViewer(const Options* options)
{
    int status = 0;
    HWND viewer = findViewer(10000);
    if (!viewer) {
        fprintf(stderr, "zrhost: no viewer window appeared\n");
        return 1;
    }
    settleViewer(viewer);
    if (options->keys && !sendKeys(viewer, options->keys)) {
        fprintf(stderr, "zrhost: unknown key in %s\n", options->keys);
        status = 1;
    }
    pumpMessages(200);
    if (IsWindow(viewer)) settleViewer(viewer);
    if (options->pointer && IsWindow(viewer)) {
        pointAtPane(viewer, options->pointerX, options->pointerY);
        settleViewer(viewer);
    }
    if (options->screenshot) {
        if (IsWindow(viewer) && captureClient(viewer, options->screenshot))
            printf("screenshot: %s\n", options->screenshot);
        else {
            fprintf(stderr, "zrhost: no screenshot: the viewer is gone\n");
            status = 1;
        }
    }
    for (int i = 0; i < options->saveCount && IsWindow(viewer); i++)
        if (!saveThroughDialog(viewer, options->saves[i])) status = 1;
    if (options->print && IsWindow(viewer) && !printThroughDialog(viewer, options->print)) status = 1;
    if (options->sheetShots) {
        HWND sheet = IsWindow(viewer) ? openSettingsSheet(viewer) : nullptr;
        if (sheet && captureSheetPages(sheet, options->sheetShots)) {
            printf("sheet pages: %s1.bmp .. 4.bmp\n", options->sheetShots);
        } else {
            fprintf(stderr, "zrhost: the Notes and Settings sheet could not be captured\n");
            status = 1;
        }
    }
    if (options->textDialogShots && !(IsWindow(viewer) && captureTextDialog(viewer, options->textDialogShots))) {
        fprintf(stderr, "zrhost: the Add Text dialog could not be captured\n");
        status = 1;
    }
    if (options->quitAfterMs >= 0) {
        pumpMessages(options->quitAfterMs);
    } else {
        while (IsWindow(viewer)) pumpMessages(50);
    }
    return status;
}

// A new instance of the activated handler; null, said why, when there is none.
static LWInstance newHandlerInstance(HostSession* session)
{
    if (session->handlerResult != AFUNC_OK) {
        fprintf(stderr, "zrhost: the frame buffer handler is not active\n");
        return nullptr;
    }
    LWError err = nullptr;
    LWInstance instance = session->instanceFuncs.create(nullptr, nullptr, &err);
    if (!instance) fprintf(stderr, "zrhost: %s\n", err ? err : "no instance");
    return instance;
}

// Renders the frames into a new instance of the handler.
static int runRender(HostSession* session, const Options* options)
{
    if (options->render.frames <= 0) return 0;
    LWInstance instance = newHandlerInstance(session);
    if (!instance) return 1;
    std::string error;
    int status = 0;
    if (!renderFrames(session, instance, options->render, &error)) {
        fprintf(stderr, "zrhost: %s\n", error.c_str());
        status = 1;
    }
    session->instanceFuncs.destroy(instance);
    if (status == 0) status = driveViewer(options);
    return status;
}

static int runIngestTiming(HostSession* session, const Options* options)
{
    if (session->handlerResult != AFUNC_OK) return 1;
    IngestTiming t = measureIngest(session, options->render.width, options->render.height, options->ingestFrames);
    if (t.perFrame < 0) {
        fprintf(stderr, "zrhost: the viewer did not show the frames\n");
        return 1;
    }
    printf("INGEST %dx%d %.2f ms per frame, %.1f frames per second\n", options->render.width,
           options->render.height, t.perFrame, 1000.0 / t.perFrame);
    printf("INGEST PARTS begin %.2f rows %.2f handover %.2f painting %.2f ms (medians); a lone repaint %.2f ms; "
           "frames into empty slots %.2f ms\n",
           t.begin, t.rows, t.handOver, t.painting, t.repaint, t.filling);
    HWND viewer = findViewer(0);
    if (viewer) PostMessageA(viewer, WM_CLOSE, 0, 0);
    while (viewer && IsWindow(viewer)) pumpMessages(20);
    return 0;
}

// The options button of the host's plug-in list: the about box over the
// host's window, which is shown for it, until the box has closed itself.
static int runAbout(HostSession* session, const Options* options)
{
    if (!options->about) return 0;
    if (session->interfaceResult != AFUNC_OK) {
        fprintf(stderr, "zrhost: the interface server is not active\n");
        return 1;
    }
    ShowWindow(hostMainWindow(), SW_SHOWNORMAL);
    if (LWError e = session->iface.options(nullptr)) {
        fprintf(stderr, "zrhost: %s\n", e);
        return 1;
    }
    pumpMessages(options->quitAfterMs >= 0 ? options->quitAfterMs : 3500);
    return 0;
}

// Load first, then save, as a user who opens a scene and saves it again.
static int runScene(HostSession* session, const Options* options)
{
    if (!options->sceneLoad && !options->sceneSave) return 0;
    LWInstance instance = newHandlerInstance(session);
    if (!instance) return 1;
    int status = 0;
    if (options->sceneLoad && !loadScene(session, instance, options->sceneLoad)) {
        fprintf(stderr, "zrhost: no frame buffer block in %s\n", options->sceneLoad);
        status = 1;
    }
    if (options->sceneSave && !saveScene(session, instance, options->sceneSave)) {
        fprintf(stderr, "zrhost: cannot write %s\n", options->sceneSave);
        status = 1;
    }
    session->instanceFuncs.destroy(instance);
    return status;
}

int main(int argc, char** argv)
{
    Options options = {};
    options.version = LWFRAMEBUFFER_VERSION;
    options.render.frames = 0;
    options.quitAfterMs = -1;
    applyDefaultHostConfig(hostConfig());
    if (!parseOptions(argc, argv, &options, hostConfig())) {
        usage();
        return 2;
    }

    if (options.dumpClipboard) return dumpClipboardDib(options.dumpClipboard) ? 0 : 1;

    HostSession session = {};
    char error[512];
    if (!loadPlugin(options.pluginPath, &session.plugin, error, sizeof error)) {
        fprintf(stderr, "zrhost: %s\n", error);
        return 1;
    }
    activateServers(&session, options.version);
    if (options.info) printServerResults(&session);

    int status = runAbout(&session, &options);
    if (status == 0) status = runScene(&session, &options);
    if (status == 0) status = runRender(&session, &options);
    if (status == 0 && options.ingestFrames > 0) status = runIngestTiming(&session, &options);
    unloadPlugin(&session.plugin);
    waitUntilUnloaded(options.pluginPath, 5000);
    destroyHostMainWindow();
    return status;
}
