// The order of one print job's document and page calls, whatever the printer answers.
#pragma once

// The printer calls of one job; the shell makes them on the printer context, tests record them.
// The start and end calls return what the platform does: greater than 0 on success.
struct PrintJobCalls {
    void* context;
    int (*startDoc)(void* context);
    int (*startPage)(void* context);
    void (*draw)(void* context);
    int (*endPage)(void* context);
    void (*endDoc)(void* context);
    void (*abortDoc)(void* context);
};

// Starts the document and the page and draws; ends the page in any case, and the document only
// when the page ended. A started document that cannot be ended is aborted, so that it does not
// stay in the printer's queue. Returns 1 when nothing was drawn (the document or page did not
// start), else 0.
int RunPrintSteps(const PrintJobCalls& calls);
