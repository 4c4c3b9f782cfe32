// Program-wide handles and state of the application shell, and its entry, window procedure and
// input handlers.
#pragma once
#include <windows.h>

extern HINSTANCE hInst;
extern HWND hWndMain;
extern HWND hDlgDeveloper; // the modeless developer dialog, or null
extern const int TimerInterval;

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

// The main window's class: one copy at a time finds another by it, and so does the Page Maker.
constexpr const char* MainWindowClass = "HUEBERRYWIN";
constexpr UINT MsgShowIntro = 1025;
constexpr UINT MsgCreateButtons = 2024;

constexpr int IdQuit = 1001, IdPrint = 1002, IdClear = 1003, IdInfo = 1004, IdUp = 1005,
              IdDown = 1006;
constexpr int IdFirstColour = 2000, IdLastColour = 2035;

int ProgramEntry(HINSTANCE instance, int showCommand);
void RegisterMainClass(HINSTANCE instance);
int InitMainWindow(HINSTANCE instance, int showCommand);
int CheckDisplaySize(HWND window);
int EnterFullScreen();
int LeaveFullScreen();
int HandleCreate(HWND window);
int ShutDown(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int HandleChar(HWND window, WPARAM character);
int HandleKeyDown(HWND window, WPARAM virtualKey);
int HandlePointerMove(LPARAM position);
int HandleClick(HWND window, LPARAM position);
void Delay(DWORD milliseconds);

// Removes every queued keyboard (256-264) and mouse (512-521) message of the window.
void DiscardInput(HWND window);
// Posts the pointer's screen position as a pointer move, so the cursor fits its zone again.
void RepostPointer(HWND window);
