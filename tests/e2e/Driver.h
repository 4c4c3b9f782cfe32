// Drives the real programs from outside: process, windows, real input, the screen, page files.
#pragma once
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../DesignColours.h"
#include "support/Gdi.h"

namespace e2e {

// Polls cond until it holds or timeoutMs has passed; true when it held.
inline bool WaitUntil(const std::function<bool()>& cond, int timeoutMs, int pollMs = 10) {
    for (const DWORD end = GetTickCount() + DWORD(timeoutMs);; Sleep(DWORD(pollMs))) {
        if (cond())
            return true;
        if (int(GetTickCount() - end) >= 0)
            return false;
    }
}

// A Unix path as Wine sees it: its root is drive Z:. A Windows path stays as it is.
inline std::string WinePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path[0] == '\\' ? "Z:" + path : path;
}

inline bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return in.is_open();
}
inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    return bool(
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())));
}

inline std::string BesideDriver(const std::string& name) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    return std::string(exe, std::strrchr(exe, '\\') + 1) + name;
}

// A scratch folder beside the driver, emptied: e2e-work\<name>.
inline std::string MakeWorkDir(const std::string& name) {
    CreateDirectoryA(BesideDriver("e2e-work").c_str(), nullptr);
    const std::string dir = BesideDriver("e2e-work\\" + name);
    CreateDirectoryA(dir.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string file = dir + "\\" + found.cFileName;
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryA(file.c_str())
                                                            : DeleteFileA(file.c_str());
    }
    FindClose(search);
    return dir;
}

constexpr int PageLeft = 70, PageTop = 70; // the picture in the main window's client area
constexpr int PageWidth = 660, PageHeight = 460;
constexpr uint8_t OutlineIndex = 0, BlankIndex = 37;
constexpr const char* PageFiles[6] = {"bones.col", "duck.col",   "parrots.col",
                                      "pig.col",   "spider.col", "buy_me.col"};

// A page file as the test reads it; At takes picture coordinates (y from the top).
struct Page {
    uint16_t blank = 0;          // the blank flag
    std::vector<uint32_t> table; // an 8-bit file's colours 0-37 as 0xRRGGBB (none for 1-bit)
    std::vector<uint8_t> pixels; // bottom-up rows, as stored
    uint8_t& At(int x, int y) { return pixels[size_t(PageHeight - 1 - y) * PageWidth + x]; }
};

// Reads a 660 x 460 page file by its written-down layout, not with the program's loader: a 1-bit
// page's rows are 84 bytes, most significant bit first, a set bit blank and a clear one outline;
// an 8-bit page's pixels are bytes at the offset the header gives.
inline bool LoadPage(const std::string& path, Page& page) {
    std::vector<uint8_t> b;
    const auto u32 = [&](size_t at) {
        return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
               uint32_t(b[at + 3]) << 24;
    };
    if (!ReadBytes(path, b) || b.size() < 1078 || b[0] != 'C' || b[1] != 'O' ||
        u32(18) != PageWidth || u32(22) != PageHeight)
        return false;
    page.blank = uint16_t(b[6] | b[7] << 8);
    const size_t offset = u32(10), mono = b[28] == 1;
    if (b.size() < offset + (mono ? 84 : PageWidth) * PageHeight)
        return false;
    page.pixels.assign(size_t(PageWidth) * PageHeight, 0);
    page.table.clear();
    for (size_t i = 0; i < page.pixels.size(); ++i) {
        const size_t row = i / PageWidth, x = i % PageWidth;
        const bool set = b[offset + row * 84 + x / 8] >> (7 - x % 8) & 1;
        page.pixels[i] = !mono ? b[offset + i] : set ? BlankIndex : OutlineIndex;
    }
    for (size_t i = 0; !mono && i < 38; ++i)
        page.table.push_back(u32(54 + 4 * i) & 0xFFFFFF);
    return true;
}

// What a click at (x, y) with colour leaves: the 4-connected pixels that are neither outline nor
// colour take it. Returns how many pixels changed.
inline int ApplyFill(Page& page, int x, int y, uint8_t colour) {
    const auto open = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < PageWidth && py < PageHeight &&
               page.At(px, py) != OutlineIndex && page.At(px, py) != colour;
    };
    if (!open(x, y))
        return 0;
    std::deque<POINT> queue{{x, y}};
    page.At(x, y) = colour;
    int changed = 0;
    for (; !queue.empty(); queue.pop_front(), ++changed) {
        const POINT p = queue.front();
        for (const POINT n : {POINT{p.x, p.y - 1}, {p.x, p.y + 1}, {p.x - 1, p.y}, {p.x + 1, p.y}})
            if (open(n.x, n.y)) {
                page.At(n.x, n.y) = colour;
                queue.push_back(n);
            }
    }
    return changed;
}

// A bitmap read back as 0xRRGGBB, top row first.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint32_t> px;
    Shot() = default;
    Shot(HDC dc, HBITMAP bitmap, int w, int h) : width(w), height(h), px(size_t(w) * h) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        GetDIBits(dc, bitmap, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS);
        for (uint32_t& p : px)
            p &= 0xFFFFFF;
    }
};

// A window as the screen shows it: its client area, or the whole window.
inline Shot Grab(HWND window, bool whole = false) {
    RECT r{};
    POINT origin{0, 0};
    whole ? (void)GetWindowRect(window, &r)
          : (void)(GetClientRect(window, &r), ClientToScreen(window, &origin));
    if (whole)
        origin = {r.left, r.top}, OffsetRect(&r, -r.left, -r.top);
    WindowDc screen(nullptr);
    MemoryDc memory(screen.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc, r.right, r.bottom);
    HGDIOBJ old = SelectObject(memory.dc, bitmap);
    BitBlt(memory.dc, 0, 0, r.right, r.bottom, screen.dc, origin.x, origin.y, SRCCOPY);
    SelectObject(memory.dc, old);
    Shot shot(screen.dc, bitmap, r.right, r.bottom);
    DeleteObject(bitmap);
    return shot;
}

inline bool LoadShot(const std::string& path, Shot& shot) {
    HBITMAP bitmap = HBITMAP(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return false;
    shot = Shot(WindowDc(nullptr).dc, bitmap, info.bmWidth, info.bmHeight);
    DeleteObject(bitmap);
    return true;
}

inline bool SaveShot(const std::string& path, const Shot& shot) {
    const BITMAPINFOHEADER ih{sizeof ih, shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof ih;
    const BITMAPFILEHEADER fh{0x4D42, DWORD(offset + shot.px.size() * 4), 0, 0, offset};
    std::vector<uint8_t> bytes(fh.bfSize);
    std::memcpy(bytes.data(), &fh, sizeof fh);
    std::memcpy(bytes.data() + sizeof fh, &ih, sizeof ih);
    std::memcpy(bytes.data() + offset, shot.px.data(), shot.px.size() * 4);
    return WriteBytes(path, bytes);
}

// Real input, routed by the system like a mouse's and a keyboard's.
inline INPUT Mouse(POINT at, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Absolute coordinates run 0-65535 over the screen; rounding up lands on the intended pixel.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = LONG((int64_t(at.x) * 65536 + w - 1) / w);
    in.mi.dy = LONG((int64_t(at.y) * 65536 + h - 1) / h);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return in;
}

inline bool MoveTo(POINT at) {
    INPUT in = Mouse(at, 0);
    SendInput(1, &in, sizeof in);
    // Wine moves the pointer asynchronously, and a click sent before it has landed can be lost.
    POINT now{};
    return WaitUntil([&] { return GetCursorPos(&now) && now.x == at.x && now.y == at.y; }, 2000, 1);
}

// The left button where the pointer is, without moving it.
inline bool ClickHere() {
    POINT at{};
    if (!GetCursorPos(&at))
        return false;
    INPUT in[2] = {Mouse(at, MOUSEEVENTF_LEFTDOWN), Mouse(at, MOUSEEVENTF_LEFTUP)};
    return SendInput(2, in, sizeof in[0]) == 2;
}

inline bool ClickAt(POINT at) {
    // Come from one pixel aside: Wine was seen to drop a click on a window that had appeared under
    // a pointer that had not moved since.
    return MoveTo({at.x + (at.x > 0 ? -1 : 1), at.y}) && MoveTo(at) && ClickHere();
}

// Characters as typed, in any script.
inline void TypeText(const std::wstring& text) {
    for (const wchar_t c : text)
        for (const DWORD up : {0, KEYEVENTF_KEYUP}) {
            INPUT in{INPUT_KEYBOARD, {}};
            in.ki.wScan = WORD(c), in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            SendInput(1, &in, sizeof in);
        }
}

// Presses the keys in order and lets them go in reverse order (VK_MENU, VK_F4 is Alt+F4).
inline void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (const DWORD up : {0, KEYEVENTF_KEYUP})
        for (size_t i = 0; i < keys.size(); ++i) {
            const WORD vk = up ? keys.begin()[keys.size() - 1 - i] : keys.begin()[i];
            in.push_back({INPUT_KEYBOARD, {}});
            in.back().ki.wVk = vk;
            in.back().ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
            // The page and arrow keys of the separate block, not the number pad.
            in.back().ki.dwFlags =
                up | (vk >= VK_PRIOR && vk <= VK_DOWN ? KEYEVENTF_EXTENDEDKEY : 0);
        }
    SendInput(UINT(in.size()), in.data(), sizeof in[0]);
}

// The cursor the X display shows at the pointer, as xcursor.py tells it: size, hot spot and a
// digest of its pixels. Wine runs a Unix program named by its path; it answers in a file.
inline std::string ShownCursor() {
    const std::string out = BesideDriver("e2e-work\\cursor.txt");
    std::string command =
        "/bin/sh -c \"python3 " HB_SOURCE_DIR "/tests/e2e/xcursor.py >" + out.substr(2) + "\"";
    std::replace(command.begin(), command.end(), '\\', '/');
    DeleteFileA(out.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<uint8_t> text;
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info))
        CloseHandle(info.hThread), CloseHandle(info.hProcess),
            WaitUntil([&] { return ReadBytes(out, text) && !text.empty() && text.back() == '\n'; },
                      5000);
    return std::string(text.begin(), text.end());
}

// The cursors as the display shows them over windows of the test's own: the design's edit cursor
// from its file, the system's arrow and wait cursors; the wait cursor turns, so only its size and
// hot spot, the start of what is shown, are compared. The pointer is left at (0, 0).
struct Cursors {
    std::string arrow, edit, wait;
};
inline const Cursors& DesignCursors() {
    static const Cursors cursors = [] {
        static HCURSOR shapes[3];
        // Loaded at the size a DPI-aware program, as Hueberry is, gets at this display's DPI.
        using Context = HANDLE(WINAPI*)(HANDLE);
        const auto aware = reinterpret_cast<Context>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32"), "SetThreadDpiAwarenessContext")));
        const HANDLE before = aware(HANDLE(-2)); // DPI_AWARENESS_CONTEXT_SYSTEM_AWARE
        shapes[0] = LoadCursorA(nullptr, IDC_ARROW), shapes[2] = LoadCursorA(nullptr, IDC_WAIT);
        shapes[1] =
            HCURSOR(LoadImageA(nullptr, WinePath(HB_SOURCE_DIR "/resources/EditCursor.cur").c_str(),
                               IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
        aware(before);
        DWORD thread = 0;
        CloseHandle(CreateThread(
            nullptr, 0,
            [](void*) -> DWORD {
                for (int i = 0; i < 3; ++i) {
                    const std::string name = "HBCURSOR" + std::to_string(i);
                    WNDCLASSA c{0,       DefWindowProcA, 0,       0,       nullptr,
                                nullptr, shapes[i],      nullptr, nullptr, name.c_str()};
                    RegisterClassA(&c);
                    CreateWindowExA(WS_EX_TOPMOST, name.c_str(), "", WS_POPUP | WS_VISIBLE,
                                    40 * i + 10, 10, 30, 30, nullptr, nullptr, nullptr, nullptr);
                }
                for (MSG m; GetMessageA(&m, nullptr, 0, 0);)
                    DispatchMessageA(&m);
                return 0;
            },
            nullptr, 0, &thread));
        // Each read once it differs from the one before (at first, the bare display's).
        std::string shown[4] = {ShownCursor()};
        for (int i = 1; i < 4; ++i)
            WaitUntil(
                [&] {
                    return MoveTo({40 * i - 16, 24}) && MoveTo({40 * i - 15, 25}) &&
                           (shown[i] = ShownCursor()) != shown[i - 1];
                },
                5000, 50);
        PostThreadMessageA(thread, WM_QUIT, 0, 0);
        MoveTo({0, 0});
        return Cursors{shown[1], shown[2], shown[3].substr(0, shown[3].rfind(' '))};
    }();
    return cursors;
}

// The objects a process holds in its GDI handle table (the table every process has mapped, named
// in its PEB; an entry of 24 bytes is in use when its type, byte 14, is set). Under Wine
// GetGuiResources counts nothing.
inline int GdiObjects(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic{};
    const auto query =
        reinterpret_cast<LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*)>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("ntdll"), "NtQueryInformationProcess")));
    void* table = nullptr;
    std::vector<uint8_t> entries(65536 * 24);
    if (query(process, 0, &basic, sizeof basic, nullptr) ||
        !ReadProcessMemory(process, reinterpret_cast<char*>(basic.PebBaseAddress) + 0xF8, &table,
                           sizeof table, nullptr) ||
        !table || !ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr))
        return -1;
    int used = 0;
    for (size_t i = 14; i < entries.size(); i += 24)
        used += entries[i] != 0;
    return used;
}

inline std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A dialog's control by its label.
inline HWND Labelled(HWND dialog, const std::string& label) {
    HWND c = GetWindow(dialog, GW_CHILD);
    while (c && TextOf(c) != label)
        c = GetWindow(c, GW_HWNDNEXT);
    return c;
}

// The program, started in a working folder.
class Hueberry {
  public:
    Hueberry() = default;
    Hueberry(const Hueberry&) = delete;
    Hueberry& operator=(const Hueberry&) = delete;
    ~Hueberry() { Kill(); } // so that the next start is not taken for a second copy

    // Starts the program (or another, by its window class); false when no main window appeared.
    bool Start(const std::string& workDir, const char* path = HB_EXE_PATH,
               const char* windowClass = "HUEBERRYWIN") {
        const std::string exe = WinePath(path);
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            workDir.c_str(), &startup, &info))
            return false;
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        pid_ = info.dwProcessId;
        WaitUntil(
            [&] {
                HWND w = FindWindowA(windowClass, nullptr);
                main_ = Owner(w) == pid_ ? w : nullptr;
                return main_ || !Running();
            },
            30000, 5);
        return main_ != nullptr;
    }
    bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    bool WaitExit(int timeoutMs, DWORD& code) const {
        return process_ && WaitForSingleObject(process_, DWORD(timeoutMs)) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process_, &code);
    }
    void Kill() {
        if (Running())
            TerminateProcess(process_, 99), WaitForSingleObject(process_, 10000);
    }

    HWND Main() const { return main_; }
    HANDLE Process() const { return process_; }
    // Its visible dialogs (class #32770: its own dialogs and its message boxes).
    std::vector<HWND> Dialogs() const {
        std::vector<HWND> found;
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));)
            if (Owner(w) == pid_ && IsWindowVisible(w))
                found.push_back(w);
        return found;
    }
    HWND WaitDialog(const std::function<bool(HWND)>& match, int timeoutMs = 15000) const {
        HWND found = nullptr;
        WaitUntil(
            [&] {
                for (HWND w : Dialogs())
                    if (match(w))
                        return (found = w) != nullptr;
                return !Running();
            },
            timeoutMs, 5);
        return found;
    }
    POINT ScreenOf(int cx, int cy) const { // a point of the main window's client area
        POINT p{cx, cy};
        ClientToScreen(main_, &p);
        return p;
    }
    bool Click(int cx, int cy) const { return ClickAt(ScreenOf(cx, cy)); }
    // Clicks a control in its middle: a dialog's by its label, or one of the main window's buttons
    // by its id.
    bool ClickControl(HWND parent, const char* label) const {
        return ClickControl(parent, 0, label);
    }
    bool ClickControl(HWND parent, int id, const char* label = nullptr) const {
        // A click on a window still placing itself and taking the activation was seen lost under
        // Wine: click once the control is enabled, its window in front, its place kept two looks.
        // A window is found while its creation still makes its controls: look the control up anew.
        HWND control = nullptr;
        RECT r{}, before{};
        WaitUntil(
            [&] {
                control = label ? Labelled(parent, label) : GetDlgItem(parent, id);
                GetWindowRect(control, &r);
                const bool settled = EqualRect(&r, &before) && IsWindowEnabled(control) &&
                                     GetForegroundWindow() == parent;
                before = r;
                return settled;
            },
            2000, 20);
        return control && ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }

  private:
    static DWORD Owner(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        return pid;
    }
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
};

} // namespace e2e
