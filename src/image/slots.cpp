#include "image/slots.h"

static View* g_slots[SLOT_COUNT];
static View* g_retired;  // the last view a new image replaced, without its image
static ViewState g_viewState;
static int g_reference = -1;
static uint64_t g_arrivals;  // images stored so far: each one's place in the order of arrival

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
    view->arrival = ++g_arrivals;
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

// The occupied slot that came first (skip aside), or last; 0 when none.
static int firstOrLastArrival(bool last, int skip)
{
    int best = 0;
    bool found = false;
    for (int i = 0; i < SLOT_COUNT; i++) {
        if (!g_slots[i] || i == skip) continue;
        if (!found || (last ? g_slots[i]->arrival > g_slots[best]->arrival
                            : g_slots[i]->arrival < g_slots[best]->arrival))
            best = i;
        found = true;
    }
    return best;
}

int oldestSlot()
{
    return firstOrLastArrival(false, -1);
}

int newestSlot()
{
    return firstOrLastArrival(true, -1);
}

int oldestReplaceableSlot()
{
    int oldest = firstOrLastArrival(false, g_reference);
    return g_slots[oldest] ? oldest : oldestSlot();
}

int chooseSlotForNewImage()
{
    for (int i = 0; i < SLOT_COUNT; i++)
        if (!g_slots[i]) return i;
    return oldestReplaceableSlot();
}

void loadViewState(int slot)
{
    View* view = g_slots[slot];
    g_viewState.view = view;
    g_viewState.imageWidth = view->image->width;
    g_viewState.imageHeight = view->image->height;
    g_viewState.name = view->name;
}
