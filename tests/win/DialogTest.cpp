// The dialog templates as built, and the intro, info and printing options dialogs driven for real.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "WinTestSupport.h"
#include "app/App.h"
#include "dialogs/Dialogbx.h"
#include "print/Options.h"
#include "resource.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(DialogTemplates, LoadByNameWithTheirLayoutStyleAndNoCaption) {
    struct Want {
        const char* name;
        DWORD style;
        short x, y, cx, cy;
        WORD controls, pointSize; // point size 0: the system font
    };
    const Want templates[] = {
        {"ShareIntroDlg", WS_POPUP | WS_BORDER, 75, 46, 170, 153, 1, 0},
        {"InfoDlg", WS_POPUP | WS_BORDER, 13, 5, 95, 78, 3, 0},
        {"ShareAboutDlg", WS_POPUP | WS_BORDER | DS_SETFONT, 0, 0, 139, 175, 9, 8},
        {"PrintingDlg", WS_POPUP | WS_BORDER, 15, 12, 146, 112, 5, 0},
        {"ModelessDlg",
         WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 200, 0, 150,
         233, 2, 8},
    };
    const HMODULE module = GetModuleHandleA(nullptr);
    for (const Want& want : templates) {
        const HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), want.name, // RT_DIALOG
                                            MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        ASSERT_NE(nullptr, found) << want.name;
        const auto* head =
            static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
        // After the header: no menu, the standard class, an empty caption, then the font if any.
        const WORD* after = reinterpret_cast<const WORD*>(head + 1);
        EXPECT_EQ(0, after[0] | after[1] | after[2]) << want.name;
        EXPECT_EQ(0u, head->dwExtendedStyle) << want.name;
        EXPECT_EQ(std::tie(want.style, want.x, want.y, want.cx, want.cy, want.controls),
                  std::tie(head->style, head->x, head->y, head->cx, head->cy, head->cdit))
            << want.name;
        if (want.pointSize) {
            EXPECT_EQ(want.pointSize, after[3]);
            EXPECT_EQ(std::wstring(L"MS Sans Serif"), reinterpret_cast<const wchar_t*>(after + 4));
        }
    }
}

TEST(DialogUnits, CentreOffsetScalesWithTheVerticalBaseUnit) {
    EXPECT_EQ(10, CentreOffsetFor(170, 320, 16));
    EXPECT_EQ(52, CentreOffsetFor(170, 320, 20));
    EXPECT_EQ(CentreOffsetFor(170, 320, HIWORD(GetDialogBaseUnits())), CentreOffset(170, 320));
}

// A modal dialog driven by a script: on each tick of a thread timer the next step runs against the
// dialog that has the input (the top one of a nested stack). Steps act by posting, so that the
// timer never runs inside itself.
using Step = std::function<void(HWND)>;
std::vector<Step> Script;
size_t NextStep;
int IdleTicks;

BOOL CALLBACK FindTopDialog(HWND window, LPARAM result) {
    char name[16];
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window))
        return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND top = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTopDialog, LPARAM(&top));
    if (top && NextStep < Script.size()) {
        Script[NextStep++](top);
    } else if (top && ++IdleTicks > 100) {
        ADD_FAILURE() << "the script ended with a dialog still open";
        EndDialog(top, -1);
    }
}

INT_PTR RunDialog(const char* name, DLGPROC procedure, std::vector<Step> script) {
    Script = std::move(script);
    NextStep = 0;
    IdleTicks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    const INT_PTR result = DialogBoxA(hInst, name, nullptr, procedure);
    KillTimer(nullptr, timer);
    EXPECT_EQ(Script.size(), NextStep) << "steps left over";
    return result;
}

void Press(HWND dialog, WPARAM key) {
    PostMessageA(dialog, WM_KEYDOWN, key, 0);
}

// The checks of the three mode buttons, as "010".
std::string Checks(HWND dialog) {
    std::string checks;
    for (int id : {IDC_MODE_DEFAULT, IDC_MODE_ALTERNATE1, IDC_MODE_ALTERNATE2})
        checks += IsDlgButtonChecked(dialog, id) == BST_CHECKED ? "1" : "0";
    return checks;
}

bool Centred(HWND dialog) {
    RECT r;
    GetWindowRect(dialog, &r);
    return r.left == (800 - (r.right - r.left)) / 2 && r.top == (600 - (r.bottom - r.top)) / 2;
}

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        hInst = GetModuleHandleA(nullptr);
        BusyFlag = 0;
    }
    ScratchFolder folder;
};

TEST_F(Dialogs, PrintingOptionsShowTheModeAndOkWritesTheChoice) {
    ASSERT_TRUE(WriteBytes("printer.dta", {2, 0, 0, 0, 0xAA, 0xBB}));
    LoadPrintMode();
    EXPECT_EQ(1, RunDialog("PrintingDlg", PrintingDlgProc, {[&](HWND d) {
                               EXPECT_EQ("001", Checks(d));
                               EXPECT_TRUE(Centred(d));
                               SendMessageA(GetDlgItem(d, IDC_MODE_ALTERNATE1), BM_CLICK, 0, 0);
                               EXPECT_EQ("010", Checks(d));
                               Press(d, VK_RETURN);
                           }}));
    EXPECT_EQ(1, PrintMode);
    EXPECT_EQ(Bytes({1, 0, 0, 0, 0xAA, 0xBB}), ReadBytes("printer.dta"));
}

TEST_F(Dialogs, PrintingOptionsKeepAnOddModeAndEscapeKeepsEverything) {
    ASSERT_TRUE(WriteBytes("printer.dta", {5, 0, 0, 0}));
    LoadPrintMode();
    EXPECT_EQ(1, RunDialog("PrintingDlg", PrintingDlgProc, {[&](HWND d) {
                               EXPECT_EQ("000", Checks(d));
                               // Radio buttons that leave their checks to the dialog; only the
                               // first has no tab stop (read now: a check moves the tab stop).
                               for (int i = 0; i < 3; ++i) {
                                   const LONG style =
                                       GetWindowLongA(GetDlgItem(d, 112 + i), GWL_STYLE);
                                   EXPECT_EQ(BS_RADIOBUTTON, style & BS_TYPEMASK) << i;
                                   EXPECT_EQ(i != 0, (style & WS_TABSTOP) != 0) << i;
                               }
                               PostMessageA(d, WM_COMMAND, IDOK, 0);
                           }}));
    EXPECT_EQ(5, PrintMode);
    EXPECT_EQ(Bytes({5, 0, 0, 0}), ReadBytes("printer.dta"));

    // An empty file gives 0 and stays empty; Escape after another choice changes nothing.
    ASSERT_TRUE(WriteBytes("printer.dta", {}));
    LoadPrintMode();
    EXPECT_EQ(0, PrintMode);
    PrintMode = 2;
    EXPECT_EQ(2, RunDialog("PrintingDlg", PrintingDlgProc, {[&](HWND d) {
                               SendMessageA(GetDlgItem(d, IDC_MODE_DEFAULT), BM_CLICK, 0, 0);
                               Press(d, VK_ESCAPE);
                           }}));
    EXPECT_EQ(2, PrintMode);
    EXPECT_EQ(Bytes{}, ReadBytes("printer.dta"));
}

TEST_F(Dialogs, IntroShowsItsPicturesAndEscapeLeavesItLikeOk) {
    PrintMode = 7;
    int mismatches = -1;
    std::set<COLORREF> colours;
    EXPECT_EQ(1, RunDialog("ShareIntroDlg", IntroDlgProc, {[&](HWND dialog) {
                               POINT cursor;
                               GetCursorPos(&cursor);
                               EXPECT_EQ(1, BusyFlag);
                               EXPECT_EQ(std::pair(400L, 300L), std::pair(cursor.x, cursor.y));
                               EXPECT_TRUE(Centred(dialog));
                               UpdateWindow(dialog);
                               // Both pictures as painted, pixel by pixel against the bitmaps.
                               const int d = CentreOffset(170, 320);
                               const HDC dc = GetDC(dialog), memory = CreateCompatibleDC(dc);
                               const HBITMAP picture = LoadBitmapA(hInst, "IntroScr"),
                                             notice = LoadBitmapA(hInst, "CopyRight");
                               mismatches = 0;
                               for (int y = 0; y < 250; ++y) {
                                   SelectObject(memory, y < 200 ? picture : notice);
                                   for (int x = 0; x < 320; ++x) {
                                       const COLORREF want = GetPixel(memory, x, y % 200);
                                       colours.insert(want);
                                       mismatches += GetPixel(dc, d + x, d + y) != want;
                                   }
                               }
                               DeleteDC(memory);
                               DeleteObject(picture);
                               DeleteObject(notice);
                               ReleaseDC(dialog, dc);
                               Press(dialog, VK_ESCAPE);
                           }}));
    EXPECT_EQ(0, BusyFlag);
    EXPECT_EQ(0, mismatches);
    EXPECT_GT(colours.size(), 2u);
    // Closing read printer.dta, which was missing, so it was made holding a mode of 0.
    EXPECT_EQ(0, PrintMode);
    EXPECT_EQ(Bytes({0, 0, 0, 0}), ReadBytes("printer.dta"));
}

TEST_F(Dialogs, InfoLeadsToAboutAndPrintingOptionsAndBackUnderTheBusyFlag) {
    PrintMode = 0;
    HWND info = nullptr;
    std::vector<HWND> owners, tops;
    std::vector<int> busy;
    std::vector<bool> printingOptions;
    auto back = [&](int next) {
        return [&, next](HWND d) {
            tops.push_back(d);
            busy.push_back(BusyFlag);
            PostMessageA(d, WM_COMMAND, WPARAM(next), 0);
        };
    };
    auto leave = [&](HWND d) {
        owners.push_back(GetWindow(d, GW_OWNER));
        printingOptions.push_back(GetDlgItem(d, IDC_MODE_DEFAULT) != nullptr);
        EXPECT_TRUE(Centred(d));
        Press(d, VK_ESCAPE);
    };
    EXPECT_EQ(IDOK, RunDialog("InfoDlg", InfoDlgProc,
                              {[&](HWND d) {
                                   info = d;
                                   back(IDC_ABOUT)(d);
                               },
                               leave, back(IDC_PRINT_OPTIONS), leave,
                               [](HWND d) { Press(d, VK_RETURN); }}));
    EXPECT_EQ(std::vector<HWND>({info, info}), owners);
    EXPECT_EQ(std::vector<bool>({false, true}), printingOptions);
    EXPECT_EQ(std::vector<HWND>({info, info}), tops);
    EXPECT_EQ(std::vector<int>({1, 1}), busy);
    EXPECT_EQ(0, BusyFlag);
    EXPECT_FALSE(FileExists("printer.dta")) << "Escape in the printing options writes nothing";
    EXPECT_EQ(IDCANCEL, RunDialog("InfoDlg", InfoDlgProc, {[](HWND d) { Press(d, VK_ESCAPE); }}));
}

TEST(DialogHelpers, FillComboBoxReplacesTheListUpToTheFirstEmptyText) {
    const HWND combo = CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(combo, CB_ADDSTRING, 0, LPARAM("old"));
    const char* const texts[] = {"pig", "duck", "", "spider", nullptr};
    FillComboBox(combo, texts);
    char first[16] = {}, second[16] = {};
    SendMessageA(combo, CB_GETLBTEXT, 0, LPARAM(first));
    SendMessageA(combo, CB_GETLBTEXT, 1, LPARAM(second));
    EXPECT_EQ(2, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(std::string("pig duck"), std::string(first) + " " + second);
    DestroyWindow(combo);
}

} // namespace
