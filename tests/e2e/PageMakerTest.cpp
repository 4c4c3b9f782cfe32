// The Page Maker end to end: in a folder named in three scripts, a drawing named in a fourth
// replaces a picture that Hueberry colours and saves; its window fits the screen at any DPI, texts
// whole.
#include "Session.h"

namespace e2e {
namespace {

bool SaveHalvedFrame(const std::string& path) { // a wall with a 1-pixel gap, at half page size
    Shot drawing;
    drawing.width = 330, drawing.height = 230;
    for (int i = 0; i < 330 * 230; ++i) {
        const int x = i % 330, y = i / 330;
        drawing.px.push_back(
            x < 2 || y < 2 || x > 327 || y > 227 || (x / 2 == 82 && y != 115) ? 0 : ~0u);
    }
    return SaveShot(path, drawing);
}

// Its next dialog, taking the keys: in front and with the focus in it. Waiting for the front alone,
// Enter on the question was once not taken (the picture never replaced) while other sessions ran.
void AwaitFront(const Hueberry& maker) {
    HWND box = maker.WaitDialog([](HWND) { return true; });
    GUITHREADINFO gui{sizeof gui, 0, {}, {}, {}, {}, {}, {}, {}};
    EXPECT_TRUE(WaitUntil(
        [&] {
            return GetForegroundWindow() == box &&
                   GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui) &&
                   IsChild(box, gui.hwndFocus);
        },
        10000));
}

// Through the Open dialog, its name typed as it is, in any script.
void OpenDrawing(const Hueberry& maker, const std::wstring& path) {
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 101));
    AwaitFront(maker);
    TypeText(path);
    PressKeys({VK_RETURN});
}

void ExpectCounts(const Hueberry& maker, const char* want) {
    HWND text = GetDlgItem(maker.Main(), 107);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(text) == want; }, 15000)) << TextOf(text);
}

TEST_F(Session, PageMakerAndHueberryInAFolderNamedInThreeScripts) {
    // The driver's own file calls are narrow: from here on it names files relative to the folder.
    const std::wstring folder = std::wstring(dir_.begin(), dir_.end()) + L"\\写真 Фото Ωμέγα";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));
    dir_ = ".";
    ASSERT_NO_FATAL_FAILURE(Seed());
    const std::vector<uint8_t> bones = Bytes(PageFiles[0]), buyMe = Bytes(PageFiles[5]);
    ASSERT_TRUE(SaveHalvedFrame("drawing.bmp") &&
                MoveFileExW(L"drawing.bmp", L"шапка.bmp", MOVEFILE_REPLACE_EXISTING));
    ASSERT_TRUE(CopyFileA(WinePath(HB_PAGES_PATH).c_str(), "hbpages.exe", FALSE));
    Hueberry maker;
    ASSERT_TRUE(maker.Start(".", ".\\hbpages.exe", "HBPAGESWIN"));
    // A photo is taken for one, with more areas at more detail; made as a drawing when asked.
    ASSERT_TRUE(
        CopyFileA(WinePath(HB_SOURCE_DIR "/docs/photo-citrus.jpg").c_str(), "photo.jpg", 0));
    ASSERT_NO_FATAL_FAILURE(OpenDrawing(maker, folder + L"\\photo.jpg"));
    const auto regions = [&](int before) { // the count shown, once it differs from before
        int n = before;
        WaitUntil(
            [&] {
                return (n = std::atoi(TextOf(GetDlgItem(maker.Main(), 107)).c_str() + 9)) != before;
            },
            15000);
        return n;
    };
    const int three = regions(0);
    EXPECT_EQ(SendMessageA(Labelled(maker.Main(), "Photo"), BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 117)); // the detail's middle, then its top
    PressKeys({VK_END});
    const int five = regions(three);
    EXPECT_TRUE(five > three && TextOf(GetDlgItem(maker.Main(), 116)) == "Detail: 5 of 5") << three;
    ASSERT_TRUE(maker.ClickControl(maker.Main(), "Drawing"));
    const int drawn = regions(five);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(maker.Main(), 117)); }, 5000))
        << drawn;
    ASSERT_TRUE(maker.ClickControl(maker.Main(), "Photo"));
    EXPECT_EQ(five, regions(drawn));
    ASSERT_NO_FATAL_FAILURE(OpenDrawing(maker, folder + L"\\шапка.bmp"));
    ExpectCounts(maker, "Regions: 2\r\nLeaks: 1\r\nTiny regions: 0\r\nLargest area: 90%");
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 105)); // Close gaps
    ExpectCounts(maker, "Regions: 3\r\nLeaks: 0\r\nTiny regions: 0\r\nLargest area: 45%");
    // BUY ME replaced, the last in the pictures' list (not the last, were the list sorted).
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 108));
    PressKeys({VK_END}), PressKeys({VK_RETURN});
    HWND list = GetDlgItem(maker.Main(), 108);
    wchar_t chosen[32] = L"";
    ASSERT_TRUE(WaitUntil(
        [&] {
            return SendMessageW(list, CB_GETLBTEXT, SendMessageW(list, CB_GETCURSEL, 0, 0),
                                LPARAM(chosen)) > 0 &&
                   !wcscmp(chosen, L"BUY ME") && !SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0);
        },
        5000));
    ASSERT_TRUE(maker.ClickControl(maker.Main(), 109));
    AwaitFront(maker);
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return Bytes(PageFiles[5]) != buyMe; }, 15000));
    EXPECT_TRUE(Bytes("buy_me.col.bak") == buyMe && Bytes(PageFiles[0]) == bones);
    PostMessageA(maker.Main(), WM_CLOSE, 0, 0); // saved: it closes without a question
    DWORD code = 1;
    EXPECT_TRUE(maker.WaitExit(15000, code) && code == 0);

    Page first = Read(0), expected = Read(5); // a step up from the first; a click fills its left
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(CloseIntro());
    // The picture up and its paints done first: a key or click queued during a paint is dropped.
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &first));
    PressKeys({VK_UP});
    ASSERT_NO_FATAL_FAILURE(ExpectScreen(nullptr, &expected));
    ASSERT_NO_FATAL_FAILURE(Fill(expected, {100, 230}, Red));
    EXPECT_EQ(expected.At(500, 230), BlankIndex) << "the fill ran through the closed gap";
    PressKeys({'Q'});
    ASSERT_NO_FATAL_FAILURE(ExpectExit(0));
    EXPECT_TRUE(Read(5).pixels == expected.pixels) << "the coloured page was not saved there";
}

// Each control in the window, apart from the others, its text whole in the message font at that DPI
// (Wine answers another process's WM_GETFONT with none): a label's lines, a button's, each item's.
void ExpectTextsWhole(HWND window, int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    const auto forDpi =
        reinterpret_cast<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32"), "SystemParametersInfoForDpi")));
    ASSERT_TRUE(forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi)));
    WindowDc screen(nullptr);
    SelectObject(screen.dc, CreateFontIndirectW(&metrics.lfMessageFont)); // left to the test's end
    RECT client, cut;
    GetClientRect(window, &client);
    std::vector<RECT> placed;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(IntersectRect(&cut, &r, &client) && EqualRect(&cut, &r)) << TextOf(c);
        for (const RECT& other : placed)
            EXPECT_FALSE(IntersectRect(&cut, &r, &other)) << TextOf(c) << " over another control";
        placed.push_back(r);
        char kind[32] = "";
        GetClassNameA(c, kind, sizeof kind);
        const bool label = _stricmp(kind, "Static") == 0, list = _stricmp(kind, "ComboBox") == 0;
        const bool check = (GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        const int beside = MulDiv(list ? 17 + 4 : label ? 0 : check ? 13 + 3 : 4, dpi, 96);
        for (int i = -1; i < (list ? SendMessageA(c, CB_GETCOUNT, 0, 0) : 0); ++i) {
            wchar_t text[300] = L""; // its own text, then a list's items
            i < 0 ? GetWindowTextW(c, text, 300) : SendMessageW(c, CB_GETLBTEXT, i, LPARAM(text));
            RECT need{0, 0, r.right - r.left - beside, 0};
            DrawTextW(screen.dc, text, -1, &need,
                      DT_CALCRECT | DT_NOPREFIX | (label ? DT_WORDBREAK : 0));
            EXPECT_TRUE(need.right + beside <= r.right - r.left && need.bottom <= r.bottom - r.top)
                << text << " clipped at " << dpi;
        }
    }
}

// Run by alone.sh at a DPI on a screen of its own: the window fits its work area and shows
// each text whole with a drawing open, and again when moved to a monitor at the next scale.
TEST_F(Scripted, PageMakerFits) {
    SetProcessDPIAware(); // the screen's own pixels, as the Page Maker sees them
    const int dpi = GetDeviceCaps(WindowDc(nullptr).dc, LOGPIXELSY);
    ASSERT_TRUE(SaveHalvedFrame(File("drawing.bmp")));
    Hueberry maker;
    ASSERT_TRUE(maker.Start(dir_, HB_PAGES_PATH, "HBPAGESWIN"));
    OpenDrawing(maker, std::wstring(dir_.begin(), dir_.end()) + L"\\drawing.bmp");
    ExpectCounts(maker, "Regions: 2\r\nLeaks: 1\r\nTiny regions: 0\r\nLargest area: 90%");
    RECT frame, work, inside;
    GetWindowRect(maker.Main(), &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0); // the screen above its taskbar
    ASSERT_EQ(work.bottom, GetSystemMetrics(SM_CYSCREEN) - MulDiv(40, dpi, 96)) << "no taskbar";
    EXPECT_TRUE(IntersectRect(&inside, &frame, &work) && EqualRect(&inside, &frame));
    ExpectTextsWhole(maker.Main(), dpi);
    // Moved to a monitor at the next scale: the new DPI, and the window's new place in its memory.
    const int next = dpi + 48;
    RECT given = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    DWORD pid = 0;
    GetWindowThreadProcessId(maker.Main(), &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    void* there = VirtualAllocEx(process, nullptr, sizeof given, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_TRUE(there && WriteProcessMemory(process, there, &given, sizeof given, nullptr));
    SendMessageA(maker.Main(), WM_DPICHANGED, MAKEWPARAM(next, next), LPARAM(there));
    GetWindowRect(maker.Main(), &frame);
    EXPECT_TRUE(EqualRect(&frame, &given)) << frame.right << " x " << frame.bottom;
    ExpectTextsWhole(maker.Main(), next);
}

} // namespace
} // namespace e2e
