// Where a finished frame goes on its way from the host's rendering thread
// to the display thread: posted to the open viewer, queued for a display
// thread that is starting or whose viewer is closing, or handed to a new
// display thread. One display thread at most, and no frame lost or leaked.
//
// The record is only read and changed under the caller's lock; posting,
// starting the thread and locking are the platform's.
#pragma once

struct Image;

enum DisplayThreadState { DISPLAY_NONE, DISPLAY_STARTING, DISPLAY_RUNNING };

struct QueuedFrame {
    Image* image;
    QueuedFrame* next;
};

struct FrameQueue {
    DisplayThreadState state;
    void* viewer;  // the open viewer's window; null while none can take a post
    QueuedFrame* head;
    QueuedFrame* tail;
    QueuedFrame** givenBackEnd;  // where frames a closing viewer gives back go; null: the front
};

enum FrameRoute {
    ROUTE_POST,   // post it to the viewer; queue it when the post fails
    ROUTE_QUEUE,  // queue it for the display thread
    ROUTE_START,  // start a display thread with it (the state is now starting)
};

FrameRoute routeFrame(FrameQueue* q);

// Appends a frame; 0 when there is no memory for the entry (the caller
// then frees the frame: it cannot be kept).
int queueFrame(FrameQueue* q, Image* image);

// The oldest queued frame, or null.
Image* takeQueuedFrame(FrameQueue* q);

// The display thread's viewer exists (or failed: null), and takes posts.
void viewerOpened(FrameQueue* q, void* viewer);

// The viewer is being destroyed: later frames are queued, and the frames it
// gives back, which arrived before those, go in front of them in order.
void viewerClosing(FrameQueue* q);
int giveBackFrame(FrameQueue* q, Image* image);

// After a viewer has ended: the frame for a new viewer, or null. With
// finish set and nothing queued the thread counts as ended, so that the
// next frame starts a new one; until then frames wait for this thread.
Image* nextFrameForThread(FrameQueue* q, bool finish);

// A display thread could not be started.
void threadNotStarted(FrameQueue* q);
