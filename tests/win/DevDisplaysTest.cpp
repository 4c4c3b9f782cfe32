// The developer displays: status strip drawing, dumps, the developer dialog and the path beside the
// program.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "app/App.h"
#include "page/Page.h"
#include "support/DevDisplays.h"

namespace {

// A copy of this test program started from a deep folder writes ModuleFilePath's answer to the file
// the variable names and quits, before any test runs.
constexpr char ReportVariable[] = "HB_MODULE_PATH_REPORT";
const int ChildReport = [] {
    char out[MAX_PATH];
    if (!GetEnvironmentVariableA(ReportVariable, out, sizeof out))
        return 0;
    const char* path = ModuleFilePath("bones.col");
    WriteBytes(out, std::vector<unsigned char>(path, path + std::strlen(path)));
    ExitProcess(0);
}();

// Runs a copy of this program as folder\name and returns its ModuleFilePath("bones.col").
std::string PathSeenFrom(const std::string& folder, const std::string& name,
                         const std::string& report) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string copy = folder + "\\" + name;
    if (!CopyFileA(self, copy.c_str(), FALSE))
        return "copy failed";
    SetEnvironmentVariableA(ReportVariable, report.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + copy + "\"";
    const BOOL started = CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(ReportVariable, nullptr);
    if (!started)
        return "start failed";
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::vector<unsigned char> bytes = ReadBytes(report.c_str());
    DeleteFileA(copy.c_str());
    return std::string(bytes.begin(), bytes.end());
}

TEST(DevDisplays, ModuleFilePathNamesAFileBesideTheProgramOrNone) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string directory = self;
    directory.erase(directory.find_last_of("\\:") + 1);
    if (directory.size() <= 115) {
        EXPECT_EQ(ModuleFilePath("bones.col"), directory + "bones.col");
    }

    ScratchFolder scratch;
    const std::string report = scratch.path + "\\report.txt";
    // A folder 116 characters long, path and all: no name fits after it.
    std::string deep = scratch.path + "\\";
    deep += std::string(115 - deep.size(), 'd');
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    EXPECT_EQ(PathSeenFrom(deep, "t.exe", report), deep + "\\?");
    // One 115 characters long takes the name.
    const std::string fits = deep.substr(0, deep.size() - 1);
    ASSERT_TRUE(CreateDirectoryA(fits.c_str(), nullptr));
    EXPECT_EQ(PathSeenFrom(fits, "t.exe", report), fits + "\\bones.col");
    // A program path longer than the 128-character buffer is cut short: its last separator then
    // belongs to a parent folder, and the result still names no file.
    const std::string deeper = fits + "\\" + std::string(40, 'e');
    ASSERT_TRUE(CreateDirectoryA(deeper.c_str(), nullptr));
    EXPECT_EQ(PathSeenFrom(deeper, "t.exe", report), fits + "\\?");
}

class DevWindow : public testing::Test {
  protected:
    MessageBoxRecorder recorder;
    std::vector<uint8_t> page = std::vector<uint8_t>(PagePixelBytes);
    void SetUp() override {
        hInst = GetModuleHandleA(nullptr);
        // Hidden unless a test reads the screen: under Wine destroying a visible window costs
        // seconds.
        hWndMain =
            CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, hInst, nullptr);
        for (size_t i = 0; i < page.size(); ++i)
            page[i] = uint8_t(i);
        lpDib = page.data();
        bmfhead = {PageMagic, StdPageFileBytes, 1, 0, PageHeaderBytes};
        bmp = {};
        bmp.bmiHeader = {40, StdPageWidth, StdPageHeight, 1, 8, 0, 0, 0, 0, 0, 0};
        bmp.bmiColors[64] = {3, 2, 1, 0};
    }
    void TearDown() override {
        if (hDlgDeveloper)
            DestroyWindow(hDlgDeveloper);
        hDlgDeveloper = nullptr;
        DestroyWindow(hWndMain);
        hWndMain = nullptr;
        lpDib = nullptr;
    }
    // Green over the whole window: the status printers' white strips and their black (or smoothed
    // grey) text show against it.
    void Green() {
        HDC dc = GetDC(hWndMain);
        RECT all = {0, 0, 800, 600};
        HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
        FillRect(dc, &all, green);
        DeleteObject(green);
        ReleaseDC(hWndMain, dc);
    }
    // In the band y 0..16 between x0 and x1: how many pixels the strip covers (any grey from white
    // to black), and how many of them are dark.
    std::pair<int, int> Count(int x0, int x1) {
        HDC dc = GetDC(hWndMain);
        int covered = 0, dark = 0;
        for (int y = 0; y < 17; ++y)
            for (int x = x0; x < x1; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                covered += GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c);
                dark += GetRValue(c) < 64 && GetGValue(c) < 64 && GetBValue(c) < 64;
            }
        ReleaseDC(hWndMain, dc);
        return {covered, dark};
    }
};

TEST_F(DevWindow, StatusPrintersDrawInTheirStrips) {
    ShowWindow(hWndMain, SW_SHOWNA);
    Green();
    StatusInt2(12, 34);
    auto [covered, dark] = Count(17, 125);
    EXPECT_EQ(covered, 108 * 17) << "the narrow strip is white with black text";
    EXPECT_GT(dark, 20);
    EXPECT_EQ(Count(125, 250).first, 0);
    EXPECT_EQ(Count(0, 17).first, 0);

    // A text far longer than any status buffer is drawn from the caller's text and clipped to its
    // strip.
    Green();
    StatusText(std::string(300, 'W').c_str());
    EXPECT_EQ(Count(17, 600).first, 583 * 17);
    EXPECT_GT(Count(560, 600).second, 20) << "the text runs to the strip's end";
    EXPECT_EQ(Count(600, 700).first, 0) << "and no further";
}

TEST_F(DevWindow, DumpsShowFourBoxesEach) {
    DumpColourTable();
    DumpPageBytes();
    const auto& boxes = MessageBoxRecorder::boxes;
    ASSERT_EQ(boxes.size(), 8u);
    for (const RecordedBox& box : boxes) {
        EXPECT_EQ(box.caption, "Colors");
        EXPECT_EQ(box.type, UINT(MB_OK));
    }
    EXPECT_EQ(
        boxes[1].text.rfind("Red Green Blue:  group 64 to 127\n001 002 003,  000 000 000,", 0), 0u);
    EXPECT_EQ(boxes[7].text.rfind("Group 192 to 255\n192 193 194,", 0), 0u);

    MessageBoxRecorder::boxes.clear();
    lpDib = nullptr;
    DumpPageBytes();
    EXPECT_TRUE(MessageBoxRecorder::boxes.empty());
}

int CountDialogs() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) -> BOOL {
            char name[16];
            GetClassNameA(window, name, sizeof name);
            *reinterpret_cast<int*>(counter) +=
                std::string(name) == "#32770" && IsWindowVisible(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string DialogText() {
    char text[2048] = {};
    GetDlgItemTextA(hDlgDeveloper, 1004, text, sizeof text);
    return text;
}

TEST_F(DevWindow, AtMostOneDeveloperDialog) {
    ShowPageHeader();
    ASSERT_NE(hDlgDeveloper, nullptr);
    const HWND first = hDlgDeveloper;
    EXPECT_EQ(DialogText().rfind("BITMAPFILEHEADER bmfhead\nbfType \t\tCO\n", 0), 0u);
    bmfhead.bfType = BitmapMagic;
    ShowPageHeader();
    EXPECT_EQ(hDlgDeveloper, first);
    EXPECT_EQ(CountDialogs(), 1);
    EXPECT_NE(DialogText().find("bfType \t\tCO"), std::string::npos)
        << "it keeps the text it was made with";

    SendMessageA(first, WM_COMMAND, 3, 0); // any other command leaves it open
    EXPECT_TRUE(IsWindow(first));
    for (WPARAM command : {1, 2, 16}) {
        ShowPageHeader();
        const HWND dialog = hDlgDeveloper;
        ASSERT_TRUE(IsWindow(dialog));
        SendMessageA(dialog, WM_COMMAND, command, 0);
        EXPECT_FALSE(IsWindow(dialog)) << command;
        EXPECT_EQ(hDlgDeveloper, nullptr);
    }
    ShowPageHeader();
    EXPECT_NE(DialogText().find("bfType \t\tBM"), std::string::npos)
        << "a new dialog shows the new text";
    EXPECT_EQ(CountDialogs(), 1);
}

} // namespace
