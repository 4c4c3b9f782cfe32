// The three page buffers, obtained once at start-up as blocks of the platform's memory, with a
// handler that may ask for another try when memory runs out.
#pragma once
#include <cstddef>

typedef int (*MemoryHandler)(size_t size);

// What the platform gives: a locked, zero-filled block or null, its release, and the assertion box
// that reports a buffer start-up could not get. The program sets them before it asks for a block.
struct BlockCalls {
    void* (*take)(size_t size);
    void (*give)(void* block);
    void (*assertBox)(const char* expression, const char* file, unsigned line);
};
extern BlockCalls Blocks;

// The page buffer, the scratch buffer and the print buffer, in that order; a buffer that cannot be
// had is reported, the next is not tried, and those had are given back. 1 when all three are had.
int AllocPageBuffers();
void FreePageBuffers(); // each buffer at most once; the pointers become null
// A block, asking the handler again after each failure for as long as it answers 1; null else.
void* AllocBlock(size_t size);
void FreeBlock(void* block);
MemoryHandler SetMemoryHandler(MemoryHandler handler);
int CallMemoryHandler(size_t size); // 0 without a handler, or from inside the handler
