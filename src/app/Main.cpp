// Start-up, the message loop and shutdown of the one main window.
#include <ddraw.h>

#include "app/App.h"
#include "colouring/Display.h"
#include "page/Gmem.h"
#include "resource.h"
#include "sound/Sound.h"
#include "support/Gdi.h"
#include "support/Messages.h"

const int TimerInterval = 50;

namespace {

IDirectDraw* DirectDraw;

HBITMAP LoadNamedBitmap(const char* name) {
    return LoadBitmapA(hInst, name);
}

void DeleteBitmap(HBITMAP& bitmap) {
    if (bitmap)
        DeleteObject(bitmap);
    bitmap = nullptr;
}

} // namespace

int ProgramEntry(HINSTANCE instance, int showCommand) {
    hDlgDeveloper = nullptr;
    if (HWND running = FindWindowA(MainWindowClass, nullptr)) {
        if (IsWindow(running)) {
            BringWindowToTop(running);
            if (IsIconic(running))
                ShowWindow(running, SW_RESTORE);
        }
        return -1;
    }
    RegisterMainClass(instance);
    if (!InitMainWindow(instance, showCommand))
        return 0;
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (hDlgDeveloper && IsDialogMessageA(hDlgDeveloper, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}

void RegisterMainClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "HueberryIcon");
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = MainWindowClass;
    RegisterClassA(&windowClass);
}

int InitMainWindow(HINSTANCE instance, int showCommand) {
    hInst = instance;
    HWND window = CreateWindowExA(0, MainWindowClass, "Hueberry", WS_POPUPWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, ScreenWidth, ScreenHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 0;
    hWndMain = window;
    // The two early failures tear down through the destroy handler, so the palette, the music and
    // the display mode that creation took are given back before the program ends.
    if (CheckDisplaySize(hWndMain)) {
        DestroyWindow(hWndMain);
        return 0;
    }
    EnterFullScreen();
    SetMemoryHandler(MemoryRetryBox);
    if (!AllocPageBuffers()) {
        if (IsWindow(hWndMain)) // Cancel in the assertion box has already destroyed it
            DestroyWindow(hWndMain);
        return 0;
    }
    static const char* const CommandNames[6] = {"QuitBtn", "PrintBtn", "ClearBtn",
                                                "InfoBtn", "UpBtn",    "DownBtn"};
    static const char* const CommandDnNames[6] = {"QuitBtnDn", "PrintBtnDn", "ClearBtnDn",
                                                  "InfoBtnDn", "UpBtnDn",    "DownBtnDn"};
    hbmDotPattern = LoadNamedBitmap("DotPattern");
    hbmTitleArea = LoadNamedBitmap("TitleArea");
    for (int i = 0; i < 6; ++i) {
        hbmCommand[i] = LoadNamedBitmap(CommandNames[i]);
        hbmCommandDn[i] = LoadNamedBitmap(CommandDnNames[i]);
    }
    hbmColorBtn = LoadNamedBitmap("ColorBtn");
    hbmColorBtnDn = LoadNamedBitmap("ColorBtnDn");
    hbmTitles = LoadNamedBitmap("Titles");
    ShowWindow(hWndMain, showCommand);
    LoadEffects(instance);
    if (SetTimer(hWndMain, 1, TimerInterval, nullptr))
        return 1;
    ShowResMessage(IDS_NO_TIMER, IDS_STARTUP_CAPTION, MB_ICONWARNING);
    ShutDown(hWndMain);
    return 0;
}

int CheckDisplaySize(HWND window) {
    const WindowDc screen(window);
    const int width = GetDeviceCaps(screen.dc, HORZRES), height = GetDeviceCaps(screen.dc, VERTRES);
    if (width >= ScreenWidth && height >= ScreenHeight)
        return 0;
    ShowResMessage(IDS_DISPLAY_TOO_SMALL, IDS_DISPLAY_CAPTION, MB_OK);
    return 1;
}

// Under Wine, exclusive full-screen access puts a surface over the window's child buttons that
// stays even after the access is given back, and the window loses its border; Wine's desktop is the
// X display's own, which the program cannot usefully switch. There the program keeps the desktop's
// mode, its designed fallback when the mode cannot be had.
static bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int EnterFullScreen() {
    // Under Wine the object would only be released again; creating it loads Wine's Direct3D layer,
    // OpenGL and its compiler, some 20 MB of private memory (measured).
    if (RunningUnderWine()) {
        LogMessage("SetCooperativeLevel");
        return 0;
    }
    if (FAILED(DirectDrawCreate(nullptr, &DirectDraw, nullptr))) {
        LogMessage("DirectDrawCreateEx");
        return 0;
    }
    if (FAILED(DirectDraw->SetCooperativeLevel(hWndMain, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE))) {
        LogMessage("SetCooperativeLevel");
        return 0;
    }
    if (FAILED(DirectDraw->SetDisplayMode(ScreenWidth, ScreenHeight, 16))) {
        LogMessage("SetDisplayMode");
        return 0;
    }
    return 1;
}

int LeaveFullScreen() {
    if (DirectDraw) {
        DirectDraw->RestoreDisplayMode();
        DirectDraw->Release();
        DirectDraw = nullptr;
    }
    return 0;
}

int HandleCreate(HWND window) {
    BuildPalette(window);
    OpenMusic();
    StartMusic(window);
    hcurArrow = LoadCursorA(nullptr, IDC_ARROW);
    hcurEdit = LoadCursorA(hInst, "EditCursor");
    hcurWait = LoadCursorA(nullptr, IDC_WAIT);
    hcurCurrent = hcurArrow;
    return 0;
}

int ShutDown(HWND window) {
    KillTimer(window, 1);
    StopMusic();
    CloseMusic();
    if (hcurEdit) {
        DestroyCursor(hcurEdit);
        hcurEdit = nullptr;
    }
    DeleteBitmap(hbmDotPattern);
    DeleteBitmap(hbmTitleArea);
    for (HBITMAP& bitmap : hbmCommand)
        DeleteBitmap(bitmap);
    for (HBITMAP& bitmap : hbmCommandDn)
        DeleteBitmap(bitmap);
    FreePageBuffers();
    ReleasePalette(hWndMain ? hWndMain : window);
    LeaveFullScreen();
    PostQuitMessage(0);
    return 0;
}
