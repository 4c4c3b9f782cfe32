// Memory blocks for the page buffers, with a retry handler for when memory runs out.
#pragma once
#include <cstddef>

typedef int (*MemoryHandler)(size_t size);

int AllocPageBuffers();
void FreePageBuffers(); // each buffer at most once; the pointers become null
void* AllocBlock(size_t size);
void FreeBlock(void* block);
MemoryHandler SetMemoryHandler(MemoryHandler handler);
int CallMemoryHandler(size_t size);
int MemoryRetryBox(size_t size);
