// New frames that arrive while a modal operation (a dialog, a save, a
// print) runs wait here until it ends. Only the last ten can be kept once
// it ends, so only ten are held: a sequence rendering behind a dialog left
// open for hours must not take the host's memory with it.
#pragma once

struct Image;

enum { HELD_FRAMES_MAX = 10 };

struct HeldFrames {
    Image* frames[HELD_FRAMES_MAX];  // a ring, oldest at first
    int first;
    int count;
};

// Holds image. When ten are held already, the oldest makes room and is
// returned for the caller to free; otherwise null.
Image* holdFrame(HeldFrames* held, Image* image);

// The oldest held frame, or null when none is held.
Image* takeHeldFrame(HeldFrames* held);
