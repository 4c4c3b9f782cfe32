// Message texts from the string table, the assertion box, and the log file's calls.
#pragma once
#include <windows.h>

#include "support/LogFile.h"

char* GetResString(UINT number, int slot); // slot 0 text, slot 1 caption
void AssertBox(const char* expression, const char* file, unsigned line);

int ShowMessage(HWND owner, const char* text, const char* caption, UINT type);
// A box with string-table texts: text number and caption number.
int ShowResMessage(UINT textNumber, UINT captionNumber, UINT type);
