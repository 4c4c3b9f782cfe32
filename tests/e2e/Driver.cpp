// The driver: process and windows, SendInput, screen read-back, page files and resources.
#include "Driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>

#include "colouring/ColourTable.h"

namespace e2e {

namespace {

// Holds a screen device context for one read-back.
struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() { DeleteDC(dc); }
};

struct Library {
    HMODULE module;
    explicit Library(const std::string& path)
        : module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~Library() {
        if (module)
            FreeLibrary(module);
    }
};

} // namespace

// ---- time ----

double NowMs() {
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return double(count.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool WaitUntil(const std::function<bool()>& cond, int timeoutMs, int pollMs) {
    const double end = NowMs() + timeoutMs;
    for (;;) {
        if (cond())
            return true;
        if (NowMs() >= end)
            return false;
        Sleep(DWORD(pollMs));
    }
}

// ---- files ----

std::string ToWindowsPath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '/', '\\');
    if (!path.empty() && path[0] == '/')
        out = "Z:" + out; // Wine maps the Unix root to drive Z:
    return out;
}

std::string SourcePath(const std::string& relative) {
    return ToWindowsPath(std::string(HB_SOURCE_DIR) + "/" + relative);
}

std::string ProgramPath() {
    return ToWindowsPath(HB_EXE_PATH);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return true;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

WorkDir::WorkDir(const std::string& name) {
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string base = exe;
    base = base.substr(0, base.find_last_of("\\/"));
    std::string leaf = name;
    std::replace(leaf.begin(), leaf.end(), '/', '_');
    CreateDirectoryA((base + "\\e2e-work").c_str(), nullptr);
    path_ = base + "\\e2e-work\\" + leaf;
    CreateDirectoryA(path_.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                const std::string file = File(found.cFileName);
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
}

bool WorkDir::CopyDelivered(const std::string& name) const {
    return CopyFileA(SourcePath("data/" + name).c_str(), File(name).c_str(), FALSE) != 0;
}

bool WorkDir::Remove(const std::string& name) const {
    return DeleteFileA(File(name).c_str()) != 0;
}

// ---- pages ----

const char* const PageFiles[PageCount] = {"bones.col", "duck.col",   "parrots.col",
                                          "pig.col",   "spider.col", "buy_me.col"};
const int TitleRows[PageCount] = {10, 21, 34, 35, 41, 0};

uint32_t Page::ColourOf(uint8_t index) const {
    const RgbQuad& q = info.bmiColors[index];
    return Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

bool LoadPage(const std::string& path, Page& page) {
    std::vector<uint8_t> bytes;
    if (!ReadBytes(path, bytes))
        return false;
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    page.pixels.assign(PagePixelBytes, 0);
    return ParsePage(bytes.data(), bytes.size(), palette, page.file, page.info,
                     page.pixels.data()) == 1;
}

bool SavePage(const std::string& path, const Page& page) {
    const std::vector<uint8_t> bytes = SerializePage(page.file, page.info, page.pixels.data());
    return !bytes.empty() && WriteBytes(path, bytes);
}

Page BlankPage() {
    Page page;
    page.file = {PageMagic, StdPageFileBytes, 1, 0, PageHeaderBytes};
    BitmapInfoHeader& h = page.info.bmiHeader;
    h.biSize = sizeof(BitmapInfoHeader);
    h.biWidth = StdPageWidth;
    h.biHeight = StdPageHeight;
    h.biPlanes = 1;
    h.biBitCount = 8;
    h.biSizeImage = PagePixelBytes;
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    CopyPaletteToColourTable(palette, page.info.bmiColors);
    page.pixels.assign(PagePixelBytes, BlankIndex);
    return page;
}

namespace {

// Visits the 4-connected component around (x, y) of pixels for which inside() holds.
template <typename Inside, typename Visit>
void Flood(int x, int y, Inside inside, Visit visit, std::vector<uint8_t>& seen) {
    std::deque<POINT> queue;
    queue.push_back({x, y});
    seen[size_t(y) * StdPageWidth + x] = 1;
    while (!queue.empty()) {
        const POINT p = queue.front();
        queue.pop_front();
        visit(int(p.x), int(p.y));
        const POINT next[4] = {{p.x, p.y - 1}, {p.x, p.y + 1}, {p.x - 1, p.y}, {p.x + 1, p.y}};
        for (const POINT& n : next) {
            if (n.x < 0 || n.y < 0 || n.x >= StdPageWidth || n.y >= StdPageHeight)
                continue;
            uint8_t& s = seen[size_t(n.y) * StdPageWidth + n.x];
            if (!s && inside(int(n.x), int(n.y))) {
                s = 1;
                queue.push_back(n);
            }
        }
    }
}

} // namespace

int ApplyFill(Page& page, int x, int y, uint8_t colour) {
    std::vector<uint8_t> seen(PagePixelBytes, 0);
    std::vector<POINT> region;
    Flood(
        x, y,
        [&](int px, int py) {
            const uint8_t v = page.At(px, py);
            return v != OutlineIndex && v != colour;
        },
        [&](int px, int py) {
            region.push_back({px, py});
        },
        seen);
    // A seed walled in on all four sides is never recoloured by the program: nothing looks back at
    // it.
    if (region.size() < 2)
        return 0;
    for (const POINT& p : region)
        page.Set(int(p.x), int(p.y), colour);
    return int(region.size());
}

void ApplyClear(Page& page) {
    for (uint8_t& v : page.pixels)
        if (v != OutlineIndex)
            v = BlankIndex;
    page.file.bfReserved1 = 1;
}

std::vector<Region> FindRegions(const Page& page, int minSize, int maxSize) {
    std::vector<uint8_t> seen(PagePixelBytes, 0);
    std::vector<Region> regions;
    const auto open = [&](int px, int py) { return page.At(px, py) != OutlineIndex; };
    for (int y = 0; y < StdPageHeight; ++y) {
        for (int x = 0; x < StdPageWidth; ++x) {
            if (seen[size_t(y) * StdPageWidth + x] || !open(x, y))
                continue;
            Region r{x, y, 0};
            bool interior = false;
            Flood(
                x, y, open,
                [&](int px, int py) {
                    ++r.size;
                    if (interior || px < 2 || py < 2 || px >= StdPageWidth - 2 ||
                        py >= StdPageHeight - 2)
                        return;
                    // Prefer a seed two pixels clear of the outline, so a click there is
                    // unambiguous.
                    for (int dy = -2; dy <= 2; ++dy)
                        for (int dx = -2; dx <= 2; ++dx)
                            if (!open(px + dx, py + dy))
                                return;
                    interior = true;
                    r.x = px;
                    r.y = py;
                },
                seen);
            if (r.size >= minSize && r.size <= maxSize)
                regions.push_back(r);
        }
    }
    std::stable_sort(regions.begin(), regions.end(),
                     [](const Region& a, const Region& b) { return a.size > b.size; });
    return regions;
}

bool FindOutlineBesideBlank(const Page& page, int dx, int dy, POINT& at) {
    for (int y = 1; y < StdPageHeight - 1; ++y) {
        for (int x = 1; x < StdPageWidth - 1; ++x) {
            if (page.At(x, y) == OutlineIndex && page.At(x + dx, y + dy) == BlankIndex) {
                at = {x, y};
                return true;
            }
        }
    }
    return false;
}

// ---- colours and the screen ----

uint32_t IndexRgb(int index) {
    const ColourEntry& c = ColourTable[index];
    return Rgb(c.red, c.green, c.blue);
}

bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (d > 8 || d < -8)
            return false;
    }
    return true;
}

std::string Hex(uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", unsigned(rgb & 0xFFFFFF));
    return text;
}

Shot Grab(int left, int top, int width, int height) {
    Shot shot{left, top, width, height, {}};
    ScreenDc screen;
    MemoryDc memory(screen.dc);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen.dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return shot;
    HGDIOBJ old = SelectObject(memory.dc, bitmap);
    BitBlt(memory.dc, 0, 0, width, height, screen.dc, left, top, SRCCOPY);
    GdiFlush();
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    shot.px.resize(size_t(width) * height);
    for (size_t i = 0; i < shot.px.size(); ++i)
        shot.px[i] = p[i] & 0xFFFFFF;
    SelectObject(memory.dc, old);
    DeleteObject(bitmap);
    return shot;
}

int ScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}
Shot GrabScreen() {
    return Grab(0, 0, ScreenWidth(), ScreenHeight());
}

bool Shot::SaveBmp(const std::string& path) const {
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = -height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = DWORD(fh.bfOffBits + px.size() * 4);
    std::vector<uint8_t> bytes(fh.bfSize);
    std::memcpy(bytes.data(), &fh, sizeof fh);
    std::memcpy(bytes.data() + sizeof fh, &ih, sizeof ih);
    std::memcpy(bytes.data() + fh.bfOffBits, px.data(), px.size() * 4);
    return WriteBytes(path, bytes);
}

bool LoadProgramBitmap(const char* name, Image& image) {
    static std::map<std::string, Image> cache;
    if (auto it = cache.find(name); it != cache.end()) {
        image = it->second;
        return true;
    }
    Library program(ProgramPath());
    if (!program.module)
        return false;
    HRSRC found = FindResourceA(program.module, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(program.module, found) : nullptr;
    const uint8_t* dib = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!dib || SizeofResource(program.module, found) < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, dib, sizeof h);
    if (h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight == 0)
        return false;
    const int bpp = h.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return false;
    const int colours = bpp <= 8 ? (h.biClrUsed ? int(h.biClrUsed) : 1 << bpp) : 0;
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(dib + h.biSize);
    const uint8_t* bits = dib + h.biSize + colours * sizeof(RGBQUAD);
    const int width = h.biWidth, height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    const size_t stride = ((size_t(width) * bpp + 31) / 32) * 4;
    if (SizeofResource(program.module, found) <
        h.biSize + colours * sizeof(RGBQUAD) + stride * height)
        return false;
    Image out{width, height, std::vector<uint32_t>(size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits + stride * size_t(h.biHeight > 0 ? height - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            uint32_t rgb;
            if (bpp <= 8) {
                const int perByte = 8 / bpp;
                const int index =
                    (row[x / perByte] >> ((perByte - 1 - x % perByte) * bpp)) & ((1 << bpp) - 1);
                const RGBQUAD& q = table[index < colours ? index : 0];
                rgb = Rgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
            } else {
                const uint8_t* p = row + size_t(x) * (bpp / 8);
                rgb = Rgb(p[2], p[1], p[0]);
            }
            out.px[size_t(y) * width + x] = rgb;
        }
    }
    cache[name] = out;
    image = out;
    return true;
}

// ---- input ----

namespace {

INPUT MouseInput(int sx, int sy, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Absolute coordinates run 0-65535 over the primary screen; rounding up lands on the intended
    // pixel.
    in.mi.dx = LONG((int64_t(sx) * 65536 + ScreenWidth() - 1) / ScreenWidth());
    in.mi.dy = LONG((int64_t(sy) * 65536 + ScreenHeight() - 1) / ScreenHeight());
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return in;
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        in.ki.dwFlags |=
            KEYEVENTF_EXTENDEDKEY; // the keys of the separate block, not the number pad
        break;
    default:
        break;
    }
    return in;
}

} // namespace

bool MoveTo(int sx, int sy) {
    INPUT in = MouseInput(sx, sy, 0);
    SendInput(1, &in, sizeof in);
    // Wine moves the pointer asynchronously: a click sent before the move has landed can be lost,
    // so wait until the system reports the pointer at its place.
    POINT p{};
    if (WaitUntil([&] { return GetCursorPos(&p) && p.x == sx && p.y == sy; }, 2000, 1))
        return true;
    std::fprintf(stderr, "the pointer went to (%ld,%ld) instead of (%d,%d)\n", p.x, p.y, sx, sy);
    return false;
}

bool ClickAt(int sx, int sy) {
    // Come from one pixel aside: Wine was seen to drop a click on a window that had appeared under
    // a pointer that had not moved since.
    if (!MoveTo(sx > 0 ? sx - 1 : sx + 1, sy) || !MoveTo(sx, sy))
        return false;
    INPUT in[2] = {MouseInput(sx, sy, MOUSEEVENTF_LEFTDOWN),
                   MouseInput(sx, sy, MOUSEEVENTF_LEFTUP)};
    return SendInput(2, in, sizeof in[0]) == 2;
}

void PressKey(WORD vk) {
    INPUT in[2] = {KeyInput(vk, false), KeyInput(vk, true)};
    SendInput(2, in, sizeof in[0]);
}

bool ClickHere() {
    POINT p{};
    if (!GetCursorPos(&p))
        return false;
    INPUT in[2] = {MouseInput(p.x, p.y, MOUSEEVENTF_LEFTDOWN),
                   MouseInput(p.x, p.y, MOUSEEVENTF_LEFTUP)};
    return SendInput(2, in, sizeof in[0]) == 2;
}

HCURSOR CurrentCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

void PressAltF4() {
    INPUT in[4] = {KeyInput(VK_MENU, false), KeyInput(VK_F4, false), KeyInput(VK_F4, true),
                   KeyInput(VK_MENU, true)};
    SendInput(4, in, sizeof in[0]);
}

// ---- windows ----

std::string ClassOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> TopWindows(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window))
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::string> StaticTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND child : Children(dialog)) {
        if (_stricmp(ClassOf(child).c_str(), "Static") == 0) {
            const std::string text = TextOf(child);
            if (!text.empty())
                texts.push_back(text);
        }
    }
    return texts;
}

std::string Describe(DWORD pid) {
    std::string out;
    for (HWND w : TopWindows(pid)) {
        RECT r;
        GetWindowRect(w, &r);
        char line[512];
        std::snprintf(line, sizeof line,
                      "  window %p class \"%s\" text \"%s\" owner %p style %08lx rect "
                      "(%ld,%ld)-(%ld,%ld)%s\n",
                      static_cast<void*>(w), ClassOf(w).c_str(), TextOf(w).c_str(),
                      static_cast<void*>(GetWindow(w, GW_OWNER)), GetWindowLongA(w, GWL_STYLE),
                      r.left, r.top, r.right, r.bottom, IsWindowEnabled(w) ? "" : " disabled");
        out += line;
        for (const std::string& text : StaticTexts(w))
            out += "    static \"" + text + "\"\n";
    }
    return out.empty() ? "  (no visible windows)\n" : out;
}

// ---- the program ----

Hueberry::~Hueberry() {
    Kill();
    if (process_)
        CloseHandle(process_);
    if (job_)
        CloseHandle(job_);
}

bool Hueberry::Start(const WorkDir& dir) {
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    const std::string exe = ProgramPath();
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    startedAt_ = NowMs();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, dir.Path().c_str(), &startup, &info))
        return false;
    if (job_)
        AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    main_ = nullptr;
    return true;
}

bool Hueberry::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Hueberry::WaitExit(int timeoutMs, DWORD& code) const {
    if (!process_ || WaitForSingleObject(process_, DWORD(timeoutMs)) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process_, &code) != 0;
}

void Hueberry::Kill() {
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 10000);
    }
}

HWND Hueberry::WaitMainWindow(int timeoutMs) {
    WaitUntil(
        [&] {
            for (HWND w : TopWindows(pid_)) {
                if (ClassOf(w) == "HUEBERRYWIN") {
                    main_ = w;
                    return true;
                }
            }
            return !Running();
        },
        timeoutMs, 5);
    return main_;
}

std::vector<HWND> Hueberry::Dialogs() const {
    std::vector<HWND> found;
    for (HWND w : TopWindows(pid_))
        if (ClassOf(w) == "#32770")
            found.push_back(w);
    return found;
}

HWND Hueberry::WaitDialog(const std::function<bool(HWND)>& match, int timeoutMs) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : Dialogs()) {
                if (match(w)) {
                    found = w;
                    return true;
                }
            }
            return !Running();
        },
        timeoutMs, 5);
    return found;
}

POINT Hueberry::ToScreen(int cx, int cy) const {
    POINT p{cx, cy};
    ClientToScreen(main_, &p);
    return p;
}

bool Hueberry::Click(int cx, int cy) const {
    const POINT p = ToScreen(cx, cy);
    return ClickAt(p.x, p.y);
}

bool Hueberry::ClickControl(HWND dialog, int id) const {
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return false;
    // A dialog that has just appeared may still be placing itself and taking the activation, and a
    // click in that moment was seen lost under Wine: click once the control is enabled, the dialog
    // is in front and the control has kept its place for two looks.
    RECT r{}, before{};
    WaitUntil(
        [&] {
            GetWindowRect(control, &r);
            const bool settled = EqualRect(&r, &before) && IsWindowEnabled(control) &&
                                 GetForegroundWindow() == dialog;
            before = r;
            return settled;
        },
        2000, 20);
    return ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

Shot Hueberry::GrabClient(int cx, int cy, int width, int height) const {
    const POINT p = ToScreen(cx, cy);
    return Grab(p.x, p.y, width, height);
}

} // namespace e2e
