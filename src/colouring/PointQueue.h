// A first-in-first-out queue of picture positions, one heap node per entry.
#pragma once
#include <cstddef>
#include <cstdint>

struct PointNode {
    PointNode* next;
    int32_t x;
    int32_t y;
};

struct QueuePoint {
    int32_t x;
    int32_t y;
};

// Where queue nodes come from: returns null when memory runs out, and what it returns is released
// with std::free. Tests put a failing allocator here to run a fill out of memory.
typedef void* (*PointNodeAllocator)(size_t size);
extern PointNodeAllocator pointNodeAlloc;

class PointQueue {
  public:
    PointNode* head = nullptr;    // the oldest node
    PointNode* tail = nullptr;    // the newest node
    PointNode* current = nullptr; // the node last appended (null after a pop: that node is gone)

    PointQueue() = default;
    // Starts with one point; when its node cannot be had the queue stays empty.
    PointQueue(int32_t x, int32_t y) { Append(x, y); }
    ~PointQueue() { Clear(); }
    PointQueue(const PointQueue&) = delete;
    PointQueue& operator=(const PointQueue&) = delete;

    bool Empty() const { return head == nullptr; }
    // Copies the oldest point into point. Returns 0, leaving point alone, on an empty queue.
    int Front(QueuePoint& point) const;
    // Queues a point behind the others. Returns 0, with the queue unchanged, when no node can be
    // had.
    int Append(int32_t x, int32_t y);
    // Drops the oldest point; nothing on an empty queue.
    void Pop();
    // Drops every point.
    void Clear();
};
