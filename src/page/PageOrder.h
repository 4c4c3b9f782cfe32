// Which page of the fixed set opens: at start the first readable page from one on, and on a step
// the next readable page round the set.
#pragma once

// Tries to load a page; true when it loaded.
typedef bool (*PageLoader)(int page, void* context);

// From page from upward, without wrapping round, the first page that loads; -1 when none of from to
// count - 1 does.
int FirstReadablePage(int from, int count, PageLoader load, void* context);

// Steps by delta (+1 forward, -1 back) round the set of count pages, wrapping at its ends, to the
// first page that loads; -1 when none does, the page stepped from (tried last) included.
int StepToReadable(int current, int delta, int count, PageLoader load, void* context);
