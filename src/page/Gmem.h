// The page buffers on the platform's memory, with the retry box for when memory runs out.
#pragma once
#include "page/Buffers.h"

void UsePlatformBlocks(); // before the first block is asked for
int MemoryRetryBox(size_t size);
