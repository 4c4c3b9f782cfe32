// The program-wide handles and state that every part of the program reads: instance, main window,
// developer dialog, bitmaps, cursors, phase, busy flag and selected colour; the command ids, the
// private messages and the main window's class.
#pragma once
#include <windows.h>

#include "support/ScreenLayout.h"

extern HINSTANCE hInst;
extern HWND hWndMain;
extern HWND hDlgDeveloper; // the modeless developer dialog, or null

// The 17 bitmaps loaded at start-up.
extern HBITMAP hbmDotPattern;
extern HBITMAP hbmTitleArea;
extern HBITMAP hbmCommand[6];   // Quit, Print, Clear, Info, Up, Down (slot id - 1001)
extern HBITMAP hbmCommandDn[6]; // their pressed faces
extern HBITMAP hbmColorBtn;
extern HBITMAP hbmColorBtnDn;
extern HBITMAP hbmTitles;

extern HCURSOR hcurArrow;
extern HCURSOR hcurEdit;
extern HCURSOR hcurWait;
extern HCURSOR hcurCurrent;

extern int AppPhase; // 3 intro pending, 2 intro showing, 1 first page pending, 0 running
extern int BusyFlag; // set while a modal dialog or a print job runs
extern int SelectedColourId;
extern int SelectedColourIndex;

constexpr UINT MsgShowIntro = 1025;
constexpr UINT MsgCreateButtons = 2024;

constexpr int IdQuit = 1001, IdPrint = 1002, IdClear = 1003, IdInfo = 1004, IdUp = 1005,
              IdDown = 1006;
constexpr int IdFirstColour = 2000, IdLastColour = 2035;
