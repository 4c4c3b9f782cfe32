// The six pictures in their fixed order, the page on show, its saving, and stepping between them.
#pragma once
#include <windows.h>

struct PageSetEntry {
    const char* file;
    int titleRow;      // row of its caption in the "Titles" bitmap
    const char* title; // the caption's text, for the Page Maker
};
constexpr int PageCount = 6;
constexpr PageSetEntry PageSet[PageCount] = {
    {"bones.col", 10, "BONES"}, {"duck.col", 21, "DUCK"},     {"parrots.col", 34, "PARROTS"},
    {"pig.col", 35, "PIG"},     {"spider.col", 41, "SPIDER"}, {"buy_me.col", 0, "BUY ME"},
};
extern int CurrentPage;

// The class of the window that has a page open: one copy of Hueberry at a time finds another by
// it, and the Page Maker does not replace a page while one is there.
constexpr const char* MainWindowClass = "HUEBERRYWIN";

// Loads the first readable page from CurrentPage on; after a message, 0 when there is none.
int OpenFirstPage();
// Steps CurrentPage by delta round the set to the next page that loads (each failed load shows its
// message); 0 when none does.
int StepToReadablePage(int delta);
// Saves the page on show under its own name, but only a page that was loaded from that file; a
// save that fails is reported in a box. 1 when saved.
int SaveCurrentPage();
// Whether a page has been loaded (commands that save need one).
bool PageIsOpen();
