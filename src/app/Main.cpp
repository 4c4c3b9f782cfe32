// Start-up, the message loop and shutdown of the one main window.
#include <ddraw.h>

#include "app/App.h"
#include "app/StartSteps.h"
#include "colouring/Display.h"
#include "page/Gmem.h"
#include "page/PageSet.h"
#include "resource.h"
#include "sound/Sound.h"
#include "support/Gdi.h"
#include "support/Messages.h"

const int TimerInterval = 50;

namespace {

int ShowCommand;

HBITMAP LoadNamedBitmap(const char* name) {
    return LoadBitmapA(hInst, name);
}

void DeleteBitmap(HBITMAP& bitmap) {
    if (bitmap)
        DeleteObject(bitmap);
    bitmap = nullptr;
}

void LoadAndShow() {
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
    ShowWindow(hWndMain, ShowCommand);
    LoadEffects(hInst);
}

DisplayModeState DisplayMode;

// Exclusive full-screen access and the mode, through the first DirectDraw interface.
IDirectDraw* DirectDraw;

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// The window ShutDown was given, until the main window's handle is known.
HWND MainOr(void* window) {
    return hWndMain ? hWndMain : static_cast<HWND>(window);
}

const StartCalls Calls = {
    nullptr,
    [](void*) { return int(CheckDisplaySize(hWndMain) == 0); },
    [](void*) { return int(RunningUnderWine()); },
    [](void*) { return int(SUCCEEDED(DirectDrawCreate(nullptr, &DirectDraw, nullptr))); },
    [](void*) {
        return int(SUCCEEDED(
            DirectDraw->SetCooperativeLevel(hWndMain, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE)));
    },
    [](void*) { return int(SUCCEEDED(DirectDraw->SetDisplayMode(ScreenWidth, ScreenHeight, 16))); },
    [](void*, const char* step) { LogMessage(step); },
    [](void*) {
        UsePlatformBlocks();
        SetMemoryHandler(MemoryRetryBox);
        return AllocPageBuffers();
    },
    [](void*) { LoadAndShow(); },
    [](void*) { return int(SetTimer(hWndMain, 1, TimerInterval, nullptr) != 0); },
    [](void*) { ShowResMessage(IDS_NO_TIMER, IDS_STARTUP_CAPTION, MB_ICONWARNING); },
    [](void*) {
        // Cancel in the memory box has already destroyed it.
        if (IsWindow(hWndMain))
            DestroyWindow(hWndMain);
    },
    [](void* window) { KillTimer(MainOr(window), 1); },
    [](void*) {
        StopMusic();
        CloseMusic();
    },
    [](void*) {
        if (hcurEdit)
            DestroyCursor(hcurEdit);
        hcurEdit = nullptr;
    },
    [](void*) {
        DeleteBitmap(hbmDotPattern);
        DeleteBitmap(hbmTitleArea);
        for (HBITMAP& bitmap : hbmCommand)
            DeleteBitmap(bitmap);
        for (HBITMAP& bitmap : hbmCommandDn)
            DeleteBitmap(bitmap);
    },
    [](void*) { FreePageBuffers(); },
    [](void* window) { ReleasePalette(MainOr(window)); },
    [](void*) { DirectDraw->RestoreDisplayMode(); },
    [](void*) {
        DirectDraw->Release();
        DirectDraw = nullptr;
    },
    [](void*) { PostQuitMessage(0); },
};

} // namespace

int ProgramEntry(HINSTANCE instance, int showCommand) {
    hDlgDeveloper = nullptr;
    LogClock = [] { return uint32_t(GetTickCount()); };
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
    ShowCommand = showCommand;
    HWND window = CreateWindowExA(0, MainWindowClass, "Hueberry", WS_POPUPWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, ScreenWidth, ScreenHeight, nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 0;
    hWndMain = window;
    // The early failures tear down through the destroy handler, so the palette, the music and the
    // display mode that creation and start-up took are given back before the program ends.
    return RunStartUp(Calls, DisplayMode);
}

int CheckDisplaySize(HWND window) {
    const WindowDc screen(window);
    const int width = GetDeviceCaps(screen.dc, HORZRES), height = GetDeviceCaps(screen.dc, VERTRES);
    if (width >= ScreenWidth && height >= ScreenHeight)
        return 0;
    ShowResMessage(IDS_DISPLAY_TOO_SMALL, IDS_DISPLAY_CAPTION, MB_OK);
    return 1;
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
    StartCalls calls = Calls;
    calls.context = window;
    RunShutDown(calls, DisplayMode);
    return 0;
}
