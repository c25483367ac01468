// Allocation of the large buffers: image channels and bitmap pixels. One
// place, so that tests can make the n-th allocation fail and check that
// every failure path frees what it made.
#pragma once

#include <stddef.h>

void* allocatePixels(size_t bytes);
void* allocateClearedPixels(size_t bytes);  // every byte 0
void releasePixels(void* pixels);

// Tests: the next n allocations succeed, the one after fails, then all
// succeed again. A negative n turns failures off.
void failPixelAllocationAfter(int n);

// Buffers allocated and not yet released: what a test checks for leaks.
int livePixelBuffers();
