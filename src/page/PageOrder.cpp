// Which page of the fixed set opens, at start and on a step.
#include "page/PageOrder.h"

int FirstReadablePage(int from, int count, PageLoader load, void* context) {
    for (int page = from; page < count; ++page)
        if (load(page, context))
            return page;
    return -1;
}

int StepToReadable(int current, int delta, int count, PageLoader load, void* context) {
    int page = current;
    for (int tries = 0; tries < count; ++tries) {
        page = (page + delta + count) % count;
        if (load(page, context))
            return page;
    }
    return -1;
}
