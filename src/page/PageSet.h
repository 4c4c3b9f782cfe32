// The six pictures in their fixed order, the page on show, and stepping between them.
#pragma once
#include <windows.h>

struct PageSetEntry {
    const char* file;
    int titleRow; // row of its caption in the "Titles" bitmap
};
constexpr int PageCount = 6;
extern const PageSetEntry PageSet[PageCount];
extern int CurrentPage;

int OpenFirstPage();
int NextPage(HWND window);
int PreviousPage(HWND window);
// Saves the page on show under its own name, but only a page that was loaded from that file; a
// save that fails is reported in a box. 1 when saved.
int SaveCurrentPage();
// Whether a page has been loaded (commands that save need one).
bool PageIsOpen();
