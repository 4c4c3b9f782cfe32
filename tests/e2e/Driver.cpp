// The driver: the program's process and windows, SendInput, screen read-back, page files.
#include "Driver.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <fstream>

#include "colouring/ColourTable.h"
#include "support/Gdi.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& cond, int timeoutMs, int pollMs) {
    for (const DWORD end = GetTickCount() + DWORD(timeoutMs);; Sleep(DWORD(pollMs))) {
        if (cond())
            return true;
        if (int(GetTickCount() - end) >= 0)
            return false;
    }
}

std::string SourcePath(const std::string& relative) {
    std::string path = std::string(HB_SOURCE_DIR) + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path[0] == '\\' ? "Z:" + path : path; // Wine maps the Unix root to drive Z:
}

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return in.is_open();
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    return bool(
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())));
}

std::string MakeWorkDir(const std::string& name) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir = exe;
    dir = dir.substr(0, dir.find_last_of('\\')) + "\\e2e-work";
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\" + name;
    CreateDirectoryA(dir.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string file = dir + "\\" + found.cFileName;
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveDirectoryA(file.c_str());
        else
            DeleteFileA(file.c_str());
    }
    FindClose(search);
    return dir;
}

const char* const PageFiles[6] = {"bones.col", "duck.col",   "parrots.col",
                                  "pig.col",   "spider.col", "buy_me.col"};

uint32_t Page::Rgb(uint8_t index) const {
    const RgbQuad& q = info.bmiColors[index];
    return uint32_t(q.rgbRed) << 16 | uint32_t(q.rgbGreen) << 8 | q.rgbBlue;
}

bool LoadPage(const std::string& path, Page& page) {
    std::vector<uint8_t> bytes;
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    page.pixels.assign(PagePixelBytes, 0);
    return ReadBytes(path, bytes) && ParsePage(bytes.data(), bytes.size(), palette, page.file,
                                               page.info, page.pixels.data()) == 1;
}

int ApplyFill(Page& page, int x, int y, uint8_t colour) {
    const auto open = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < StdPageWidth && py < StdPageHeight &&
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

namespace {

// Copies a bitmap out as 32-bit top-down rows.
Shot ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
    Shot shot{width, height, std::vector<uint32_t>(size_t(width) * height)};
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(dc, bitmap, 0, UINT(height), shot.px.data(), &bi, DIB_RGB_COLORS);
    for (uint32_t& p : shot.px)
        p &= 0xFFFFFF;
    return shot;
}

} // namespace

Shot GrabClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    WindowDc screen(nullptr);
    MemoryDc memory(screen.dc);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.dc, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory.dc, bitmap);
    BitBlt(memory.dc, 0, 0, client.right, client.bottom, screen.dc, origin.x, origin.y, SRCCOPY);
    SelectObject(memory.dc, old);
    Shot shot = ReadBitmap(screen.dc, bitmap, client.right, client.bottom);
    DeleteObject(bitmap);
    return shot;
}

bool LoadShot(const std::string& path, Shot& shot) {
    HBITMAP bitmap = HBITMAP(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return false;
    WindowDc screen(nullptr);
    shot = ReadBitmap(screen.dc, bitmap, info.bmWidth, info.bmHeight);
    DeleteObject(bitmap);
    return true;
}

bool SaveShot(const std::string& path, const Shot& shot) {
    const BITMAPINFOHEADER ih{sizeof ih, shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof ih;
    const BITMAPFILEHEADER fh{0x4D42, DWORD(offset + shot.px.size() * 4), 0, 0, offset};
    std::vector<uint8_t> bytes(fh.bfSize);
    std::memcpy(bytes.data(), &fh, sizeof fh);
    std::memcpy(bytes.data() + sizeof fh, &ih, sizeof ih);
    std::memcpy(bytes.data() + offset, shot.px.data(), shot.px.size() * 4);
    return WriteBytes(path, bytes);
}

namespace {

INPUT Mouse(POINT at, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Absolute coordinates run 0-65535 over the screen; rounding up lands on the intended pixel.
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi = {LONG((int64_t(at.x) * 65536 + w - 1) / w),
             LONG((int64_t(at.y) * 65536 + h - 1) / h),
             0,
             MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags,
             0,
             0};
    return in;
}

bool MoveTo(POINT at) {
    INPUT in = Mouse(at, 0);
    SendInput(1, &in, sizeof in);
    // Wine moves the pointer asynchronously, and a click sent before it has landed can be lost.
    POINT now{};
    return WaitUntil([&] { return GetCursorPos(&now) && now.x == at.x && now.y == at.y; }, 2000, 1);
}

} // namespace

bool ClickAt(POINT at) {
    // Come from one pixel aside: Wine was seen to drop a click on a window that had appeared under
    // a pointer that had not moved since.
    return MoveTo({at.x + (at.x > 0 ? -1 : 1), at.y}) && MoveTo(at) && ClickHere();
}

bool ClickHere() {
    POINT at{};
    if (!GetCursorPos(&at))
        return false;
    INPUT in[2] = {Mouse(at, MOUSEEVENTF_LEFTDOWN), Mouse(at, MOUSEEVENTF_LEFTUP)};
    return SendInput(2, in, sizeof in[0]) == 2;
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (int up = 0; up < 2; ++up)
        for (size_t i = 0; i < keys.size(); ++i) {
            const WORD vk = up ? keys.begin()[keys.size() - 1 - i] : keys.begin()[i];
            INPUT k{};
            k.type = INPUT_KEYBOARD;
            // The page and arrow keys of the separate block, not the number pad.
            const bool extended = vk >= VK_PRIOR && vk <= VK_DOWN;
            k.ki = {vk, WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)),
                    DWORD((up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0)), 0,
                    0};
            in.push_back(k);
        }
    SendInput(UINT(in.size()), in.data(), sizeof in[0]);
}

HCURSOR CurrentCursor() {
    CURSORINFO info{sizeof info, 0, nullptr, {}};
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> StaticTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char kind[32] = "";
        GetClassNameA(c, kind, sizeof kind);
        if (_stricmp(kind, "Static") == 0 && !TextOf(c).empty())
            texts.push_back(TextOf(c));
    }
    return texts;
}

Hueberry::~Hueberry() {
    Kill();
    CloseHandle(process_);
    CloseHandle(job_);
}

bool Hueberry::Start(const std::string& workDir) {
    CloseHandle(process_);
    CloseHandle(job_);
    job_ = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    std::string exe = HB_EXE_PATH;
    std::replace(exe.begin(), exe.end(), '/', '\\');
    exe = exe[0] == '\\' ? "Z:" + exe : exe;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, workDir.c_str(), &startup, &info))
        return false;
    AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    main_ = nullptr;
    WaitUntil(
        [&] {
            HWND w = FindWindowA("HUEBERRYWIN", nullptr);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            main_ = owner == pid_ ? w : nullptr;
            return main_ || !Running();
        },
        30000, 5);
    return main_ != nullptr;
}

bool Hueberry::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Hueberry::WaitExit(int timeoutMs, DWORD& code) const {
    return process_ && WaitForSingleObject(process_, DWORD(timeoutMs)) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_, &code);
}

void Hueberry::Kill() {
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
}

std::vector<HWND> Hueberry::Dialogs() const {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid_ && IsWindowVisible(w))
            found.push_back(w);
    }
    return found;
}

HWND Hueberry::WaitDialog(const std::function<bool(HWND)>& match, int timeoutMs) const {
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

bool Hueberry::Click(int cx, int cy) const {
    POINT p{cx, cy};
    ClientToScreen(main_, &p);
    return ClickAt(p);
}

bool Hueberry::ClickControl(HWND parent, int id) const {
    HWND control = GetDlgItem(parent, id);
    // A dialog that has just appeared may still be placing itself and taking the activation, and a
    // click in that moment was seen lost under Wine: click once the control is enabled, its window
    // is in front and the control has kept its place for two looks.
    RECT r{}, before{};
    WaitUntil(
        [&] {
            GetWindowRect(control, &r);
            const bool settled = EqualRect(&r, &before) && IsWindowEnabled(control) &&
                                 GetForegroundWindow() == parent;
            before = r;
            return settled;
        },
        2000, 20);
    return control && ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

} // namespace e2e
