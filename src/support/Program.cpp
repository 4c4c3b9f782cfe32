// The program-wide handles and state.
#include "support/Program.h"

HINSTANCE hInst;
HWND hWndMain;
HWND hDlgDeveloper;

HBITMAP hbmDotPattern;
HBITMAP hbmTitleArea;
HBITMAP hbmCommand[6];
HBITMAP hbmCommandDn[6];
HBITMAP hbmColorBtn;
HBITMAP hbmColorBtnDn;
HBITMAP hbmTitles;

HCURSOR hcurArrow;
HCURSOR hcurEdit;
HCURSOR hcurWait;
HCURSOR hcurCurrent;

int AppPhase = 3;
int BusyFlag;
int SelectedColourId = 2001;
int SelectedColourIndex = 2;
