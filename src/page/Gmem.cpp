// The platform's memory blocks for the page buffers (movable, zero-filled global memory) and the
// box that offers another try when memory runs out.
#include "page/Gmem.h"

#include <windows.h>

#include "support/Messages.h"
#include "support/Program.h"

namespace {

void* TakeGlobalBlock(size_t size) {
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size)) {
        if (void* p = GlobalLock(block))
            return p;
        GlobalFree(block);
    }
    return nullptr;
}

void GiveGlobalBlock(void* block) {
    HGLOBAL handle = GlobalHandle(block);
    GlobalUnlock(handle);
    GlobalFree(handle);
}

} // namespace

void UsePlatformBlocks() {
    Blocks = {TakeGlobalBlock, GiveGlobalBlock, AssertBox};
}

int MemoryRetryBox(size_t) {
    return ShowMessage(hWndMain, "There is not enough memory to play this game.", "Error",
                       MB_RETRYCANCEL) == IDRETRY;
}
