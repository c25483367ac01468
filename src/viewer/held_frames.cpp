#include "viewer/held_frames.h"

Image* holdFrame(HeldFrames* held, Image* image)
{
    Image* dropped = held->count == HELD_FRAMES_MAX ? takeHeldFrame(held) : nullptr;
    held->frames[(held->first + held->count) % HELD_FRAMES_MAX] = image;
    held->count++;
    return dropped;
}

Image* takeHeldFrame(HeldFrames* held)
{
    if (held->count == 0) return nullptr;
    Image* image = held->frames[held->first];
    held->frames[held->first] = nullptr;
    held->first = (held->first + 1) % HELD_FRAMES_MAX;
    held->count--;
    return image;
}
