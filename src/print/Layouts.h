// The three print layouts: the picture turned a quarter turn, framed and centred on the sheet.
#pragma once
#include <windows.h>

int PrintDefault(HDC printer, short pw, short ph);
int PrintAlternate(HDC printer, short pw, short ph);
