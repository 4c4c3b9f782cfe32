// The Page Maker's memory: page-sized blocks kept for the next step instead of given back.
//
// Every step of a photo's page takes a few buffers the size of the page (a megabyte or more each)
// and gives them back at its end. The system's heap hands a block that large straight back to the
// system, so the next step's buffers are new pages, each faulted in and zeroed again: under Wine
// that was over half of a detail change (310 to 530 ms, 140 to 170 ms with the blocks kept). Blocks
// from 64 KB to 16 MB are rounded up to a power of two and, when freed, kept on a list of their
// size for the next request of that size, up to CacheLimit in all; smaller and larger ones go to
// the heap as before. The Page Maker has one thread.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// Each block starts with this header (16 bytes, so what follows keeps the heap's alignment): the
// power of two it was rounded to, or Plain for a block straight from the heap.
struct Header {
    Header* next; // on a free list: the next block of its size
    int64_t size; // log2 of its size, or Plain
};
static_assert(sizeof(Header) == 16);
constexpr int64_t Plain = -1;
constexpr int SmallestKept = 16, LargestKept = 24; // 64 KB to 16 MB
constexpr size_t CacheLimit = size_t(256) << 20;

Header* kept[LargestKept + 1] = {};
size_t keptBytes = 0;

void* Take(size_t n) {
    int size = SmallestKept;
    while (size <= LargestKept && (size_t(1) << size) < n + sizeof(Header))
        ++size;
    Header* block = nullptr;
    if (n + sizeof(Header) < (size_t(1) << SmallestKept) || size > LargestKept) {
        if (n > SIZE_MAX - sizeof(Header))
            return nullptr;
        block = static_cast<Header*>(std::malloc(n + sizeof(Header)));
        if (block)
            block->size = Plain;
    } else if (kept[size]) {
        block = kept[size];
        kept[size] = block->next;
        keptBytes -= size_t(1) << size;
    } else if ((block = static_cast<Header*>(std::malloc(size_t(1) << size))))
        block->size = size;
    return block ? block + 1 : nullptr;
}

void Give(void* p) {
    if (!p)
        return;
    Header* block = static_cast<Header*>(p) - 1;
    if (block->size == Plain || keptBytes + (size_t(1) << block->size) > CacheLimit) {
        std::free(block);
        return;
    }
    block->next = kept[block->size];
    kept[block->size] = block;
    keptBytes += size_t(1) << block->size;
}

void* TakeOrThrow(size_t n) {
    for (;;) {
        if (void* p = Take(n))
            return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

} // namespace

void* operator new(size_t n) {
    return TakeOrThrow(n);
}
void* operator new[](size_t n) {
    return TakeOrThrow(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
    return Take(n);
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
    return Take(n);
}
void operator delete(void* p) noexcept {
    Give(p);
}
void operator delete[](void* p) noexcept {
    Give(p);
}
void operator delete(void* p, size_t) noexcept {
    Give(p);
}
void operator delete[](void* p, size_t) noexcept {
    Give(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Give(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Give(p);
}
