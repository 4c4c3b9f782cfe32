// The order of one print job's document and page calls.
#include "print/PrintSteps.h"

int RunPrintSteps(const PrintJobCalls& calls) {
    int failed = 0;
    const bool documentStarted = calls.startDoc(calls.context) > 0;
    if (!documentStarted || calls.startPage(calls.context) <= 0)
        failed = 1;
    else
        calls.draw(calls.context);
    if (calls.endPage(calls.context) > 0)
        calls.endDoc(calls.context);
    else if (documentStarted)
        calls.abortDoc(calls.context);
    return failed;
}
