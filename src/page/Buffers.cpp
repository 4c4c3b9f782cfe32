// The page buffers and the retry around each block.
#include "page/Buffers.h"

#include "page/Page.h"

BlockCalls Blocks;

namespace {

MemoryHandler Handler;
int HandlerCalls; // a failed allocation inside the handler must not ask again

void FreeBuffer(uint8_t*& buffer) {
    FreeBlock(buffer);
    buffer = nullptr;
}

} // namespace

int AllocPageBuffers() {
    lpDib = static_cast<uint8_t*>(AllocBlock(PagePixelBytes));
    if (!lpDib)
        Blocks.assertBox("lpDib", "Gmem", 20);
    if (lpDib) {
        lpDibClear = static_cast<uint8_t*>(AllocBlock(PagePixelBytes));
        if (!lpDibClear)
            Blocks.assertBox("lpDibClear", "Gmem", 26);
    }
    if (lpDibClear) {
        lpPrintBuf = static_cast<uint8_t*>(AllocBlock(PrintBufferBytes));
        if (!lpPrintBuf)
            Blocks.assertBox("lpPrintBuf", "Gmem", 31);
    }
    if (lpDib && lpDibClear && lpPrintBuf)
        return 1;
    FreePageBuffers();
    return 0;
}

void FreePageBuffers() {
    FreeBuffer(lpDib);
    FreeBuffer(lpDibClear);
    FreeBuffer(lpPrintBuf);
}

void* AllocBlock(size_t size) {
    for (;;) {
        if (void* block = Blocks.take(size))
            return block;
        if (!CallMemoryHandler(size))
            return nullptr;
    }
}

void FreeBlock(void* block) {
    if (block)
        Blocks.give(block);
}

MemoryHandler SetMemoryHandler(MemoryHandler handler) {
    MemoryHandler previous = Handler;
    Handler = handler;
    return previous;
}

int CallMemoryHandler(size_t size) {
    if (!Handler || HandlerCalls)
        return 0;
    ++HandlerCalls;
    const int answer = Handler(size);
    --HandlerCalls;
    return answer;
}
