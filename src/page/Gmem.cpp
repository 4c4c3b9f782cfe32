// Memory blocks for the page buffers: movable, zero-filled global memory, with a retry handler.
#include "page/Gmem.h"

#include <windows.h>

#include "page/Page.h"
#include "support/Messages.h"
#include "support/Program.h"

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
        AssertBox("lpDib", "Gmem", 20);
    if (lpDib) {
        lpDibClear = static_cast<uint8_t*>(AllocBlock(PagePixelBytes));
        if (!lpDibClear)
            AssertBox("lpDibClear", "Gmem", 26);
    }
    if (lpDibClear) {
        lpPrintBuf = static_cast<uint8_t*>(AllocBlock(PrintBufferBytes));
        if (!lpPrintBuf)
            AssertBox("lpPrintBuf", "Gmem", 31);
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
        if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
            if (void* p = GlobalLock(block))
                return p;
            GlobalFree(block);
        }
        if (!CallMemoryHandler(size))
            return nullptr;
    }
}

void FreeBlock(void* block) {
    if (!block)
        return;
    HGLOBAL handle = GlobalHandle(block);
    GlobalUnlock(handle);
    GlobalFree(handle);
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

int MemoryRetryBox(size_t) {
    return ShowMessage(hWndMain, "There is not enough memory to play this game.", "Error",
                       MB_RETRYCANCEL) == IDRETRY;
}
