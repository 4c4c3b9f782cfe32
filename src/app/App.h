// The application shell: its entry, window procedure and input handlers.
#pragma once
#include "support/Program.h"

extern const int TimerInterval;

int ProgramEntry(HINSTANCE instance, int showCommand);
void RegisterMainClass(HINSTANCE instance);
int InitMainWindow(HINSTANCE instance, int showCommand);
int CheckDisplaySize(HWND window);
int HandleCreate(HWND window);
int ShutDown(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int HandleChar(HWND window, WPARAM character);
int HandleKeyDown(HWND window, WPARAM virtualKey);
int HandlePointerMove(LPARAM position);
int HandleClick(HWND window, LPARAM position);
void Delay(DWORD milliseconds);
