// The point queue of the fill and the wipe.
#include "colouring/PointQueue.h"

#include <cstdlib>

PointNodeAllocator pointNodeAlloc = std::malloc;

int PointQueue::Front(QueuePoint& point) const {
    if (!head)
        return 0;
    point.x = head->x;
    point.y = head->y;
    return 1;
}

int PointQueue::Append(int32_t x, int32_t y) {
    // A plain allocation that can fail, not new: the fill must be able to stop cleanly when memory
    // runs out.
    PointNode* node = static_cast<PointNode*>(pointNodeAlloc(sizeof(PointNode)));
    if (!node)
        return 0;
    node->next = nullptr;
    node->x = x;
    node->y = y;
    if (tail)
        tail->next = node;
    else
        head = node;
    tail = node;
    current = node;
    return 1;
}

void PointQueue::Pop() {
    if (!head)
        return;
    PointNode* removed = head;
    head = removed->next;
    std::free(removed);
    // Nothing may keep pointing at the released node.
    current = nullptr;
    if (!head)
        tail = nullptr;
}

void PointQueue::Clear() {
    while (head)
        Pop();
    head = tail = current = nullptr;
}
