#include "host/frame_queue.h"

#include <stdlib.h>

FrameRoute routeFrame(FrameQueue* q)
{
    if (q->state == DISPLAY_RUNNING && q->viewer) return ROUTE_POST;
    if (q->state != DISPLAY_NONE) return ROUTE_QUEUE;
    q->state = DISPLAY_STARTING;
    return ROUTE_START;
}

static int insertAt(FrameQueue* q, QueuedFrame** at, Image* image)
{
    QueuedFrame* entry = static_cast<QueuedFrame*>(malloc(sizeof(QueuedFrame)));
    if (!entry) return 0;
    entry->image = image;
    entry->next = *at;
    *at = entry;
    if (!entry->next) q->tail = entry;
    return 1;
}

int queueFrame(FrameQueue* q, Image* image)
{
    return insertAt(q, q->tail ? &q->tail->next : &q->head, image);
}

Image* takeQueuedFrame(FrameQueue* q)
{
    QueuedFrame* entry = q->head;
    if (!entry) return nullptr;
    q->head = entry->next;
    if (!q->head) q->tail = nullptr;
    if (q->givenBackEnd == &entry->next) q->givenBackEnd = nullptr;
    Image* image = entry->image;
    free(entry);
    return image;
}

void viewerOpened(FrameQueue* q, void* viewer)
{
    q->viewer = viewer;
    q->state = DISPLAY_RUNNING;
}

void viewerClosing(FrameQueue* q)
{
    q->viewer = nullptr;
    q->givenBackEnd = nullptr;
}

int giveBackFrame(FrameQueue* q, Image* image)
{
    QueuedFrame** at = q->givenBackEnd ? q->givenBackEnd : &q->head;
    if (!insertAt(q, at, image)) return 0;
    q->givenBackEnd = &(*at)->next;
    return 1;
}

Image* nextFrameForThread(FrameQueue* q, bool finish)
{
    q->viewer = nullptr;
    Image* image = takeQueuedFrame(q);
    if (image)
        q->state = DISPLAY_STARTING;
    else if (finish)
        q->state = DISPLAY_NONE;
    return image;
}

void threadNotStarted(FrameQueue* q)
{
    q->state = DISPLAY_NONE;
}
