#include "image/slots.h"

static View* g_slots[SLOT_COUNT];
static View* g_retired;  // the last view a new image replaced, without its image
static ViewState g_viewState;
static int g_reference = -1;

static void clearReferenceIf(int slot)
{
    if (slot != g_reference) return;
    g_reference = -1;
    g_viewState.compareMode = COMPARE_NONE;
}

void toggleReferenceSlot(int slot)
{
    if (slot < 0 || slot >= SLOT_COUNT || !g_slots[slot]) return;
    if (slot == g_reference)
        clearReferenceIf(slot);
    else
        g_reference = slot;
}

int referenceSlot()
{
    return g_reference;
}

View* referenceView()
{
    return g_reference >= 0 ? g_slots[g_reference] : nullptr;
}

ViewState* viewState()
{
    return &g_viewState;
}

int storeImageInSlot(Image* image, const Settings* settings, int slot, void (*fillBitmaps)(View* view))
{
    View* view = newViewReusing(image, g_retired);
    g_retired = nullptr;
    g_slots[slot] = view;
    if (!view) return 0;
    image->black = settings->defaultBlack;
    image->white = settings->defaultWhite;
    view->hot = settings->hot;
    view->safe = settings->safe;
    fillBitmaps(view);
    return 1;
}

void freeSlot(int slot)
{
    clearReferenceIf(slot);
    freeView(g_slots[slot]);
    g_slots[slot] = nullptr;
    g_viewState.view = nullptr;
}

void retireSlot(int slot)
{
    clearReferenceIf(slot);
    View* view = g_slots[slot];
    g_slots[slot] = nullptr;
    g_viewState.view = nullptr;
    if (!view) return;
    recycleImage(view->image);
    view->image = nullptr;
    freeView(g_retired);
    g_retired = view;
}

void releaseRetired()
{
    freeView(g_retired);
    g_retired = nullptr;
    releaseRecycledImage();
}

void freeAllSlots()
{
    clearReferenceIf(g_reference);
    for (int i = 0; i < SLOT_COUNT; i++) {
        freeView(g_slots[i]);
        g_slots[i] = nullptr;
    }
    g_viewState.view = nullptr;
    releaseRetired();
}

int isSlotEmpty(int slot)
{
    return g_slots[slot] == nullptr;
}

View* viewInSlot(int slot)
{
    return g_slots[slot];
}

int oldestSlot()
{
    int best = 0;
    int32_t oldest = 0x7FFFFFFF;
    for (int i = 0; i < SLOT_COUNT; i++) {
        if (g_slots[i] && g_slots[i]->image->creationTime < oldest) {
            oldest = g_slots[i]->image->creationTime;
            best = i;
        }
    }
    return best;
}

int newestSlot()
{
    int best = 0;
    int32_t newest = 0;
    for (int i = 0; i < SLOT_COUNT; i++) {
        if (g_slots[i] && g_slots[i]->image->creationTime > newest) {
            newest = g_slots[i]->image->creationTime;
            best = i;
        }
    }
    return best;
}

int chooseSlotForNewImage()
{
    for (int i = 0; i < SLOT_COUNT; i++)
        if (!g_slots[i]) return i;
    return oldestSlot();
}

void loadViewState(int slot)
{
    View* view = g_slots[slot];
    g_viewState.view = view;
    g_viewState.imageWidth = view->image->width;
    g_viewState.imageHeight = view->image->height;
    g_viewState.name = view->name;
}
