// Drives the real hueberry.exe from outside: process, windows, input, screen and files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "page/PageFormat.h"

namespace e2e {

// ---- time ----

double NowMs();
// Polls cond every pollMs until it holds or timeoutMs has passed; true when it held.
bool WaitUntil(const std::function<bool()>& cond, int timeoutMs, int pollMs = 10);

// ---- files ----

// A Unix path such as HB_EXE_PATH ("/x/y") becomes the Wine drive path "Z:\x\y"; a Windows path
// only gets backslashes, so the driver runs unchanged on Windows.
std::string ToWindowsPath(const std::string& path);
std::string SourcePath(const std::string& relative); // inside the repository
std::string ProgramPath();

bool FileExists(const std::string& path);
bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A scratch working directory for one test, emptied when made: <test exe folder>\e2e-work\<name>.
class WorkDir {
  public:
    explicit WorkDir(const std::string& name);
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Copies a file delivered beside the program (data/<name>) into the directory.
    bool CopyDelivered(const std::string& name) const;
    bool Remove(const std::string& name) const;

  private:
    std::string path_;
};

// ---- pages ----

constexpr int PageLeft = 70, PageTop = 70; // the picture's place in the main window's client area
constexpr int PageCount = 6;
extern const char* const PageFiles[PageCount];
extern const int TitleRows[PageCount]; // each page's row in the Titles bitmap

// A page as the program holds it; At and Set take picture coordinates (y from the top).
struct Page {
    BitmapFileHeader file{};
    MYBITMAPINFO info{};
    std::vector<uint8_t> pixels; // bottom-up rows, as stored

    uint8_t At(int x, int y) const {
        return pixels[size_t(StdPageHeight - 1 - y) * StdPageWidth + x];
    }
    void Set(int x, int y, uint8_t v) {
        pixels[size_t(StdPageHeight - 1 - y) * StdPageWidth + x] = v;
    }
    uint32_t ColourOf(uint8_t index) const; // 0xRRGGBB from the page's own colour table
};

bool LoadPage(const std::string& path, Page& page);
bool SavePage(const std::string& path, const Page& page);
// An 8-bit page in the program's colours with every pixel blank and the blank flag set.
Page BlankPage();

// What a fill from (x, y) with colour leaves: every pixel joined to the seed through pixels that
// are neither outline nor colour takes colour. Returns the number of pixels changed.
int ApplyFill(Page& page, int x, int y, uint8_t colour);
// What the clearing wipe leaves: every pixel that is not outline becomes blank, and the blank flag
// is set.
void ApplyClear(Page& page);

struct Region {
    int x = 0, y = 0; // a pixel inside, away from the outline where the region allows
    int size = 0;
};
// The 4-connected regions of non-outline pixels, largest first, whose sizes lie in [minSize,
// maxSize].
std::vector<Region> FindRegions(const Page& page, int minSize, int maxSize);
// An outline pixel whose neighbour in the direction (dx, dy) is blank.
bool FindOutlineBesideBlank(const Page& page, int dx, int dy, POINT& at);

// ---- colours and the screen ----

constexpr uint32_t Rgb(int r, int g, int b) {
    return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}
uint32_t IndexRgb(int index); // a colour index's colour in the program's colour table
// Screen colours match within 8 per channel, so a 16-bit display mode (on Windows) still compares.
bool Near(uint32_t a, uint32_t b);
std::string Hex(uint32_t rgb);

// A rectangle of the screen read back with BitBlt from the screen device context, 0xRRGGBB per
// pixel.
struct Shot {
    int left = 0, top = 0, width = 0, height = 0; // screen coordinates
    std::vector<uint32_t> px;
    uint32_t At(int sx, int sy) const { return px[size_t(sy - top) * width + (sx - left)]; }
    bool SaveBmp(const std::string& path) const;
};
Shot Grab(int left, int top, int width, int height);
Shot GrabScreen();
int ScreenWidth();
int ScreenHeight();

// A bitmap resource of hueberry.exe decoded to 0xRRGGBB, top row first.
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> px;
    uint32_t At(int x, int y) const { return px[size_t(y) * width + x]; }
};
bool LoadProgramBitmap(const char* name, Image& image);

// ---- input (SendInput: the system routes it like a real mouse and keyboard) ----

bool MoveTo(int sx, int sy);
bool ClickAt(int sx, int sy);
void PressKey(WORD vk);
void PressAltF4();
// Presses and releases the left button where the pointer is, without moving it: for a click that
// must reach the program within milliseconds of a moment, the pointer placed beforehand.
bool ClickHere();
// The cursor shown now, whichever program set it; a handle only compares with another such reading.
HCURSOR CurrentCursor();

// ---- windows ----

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
std::vector<HWND> TopWindows(DWORD pid); // visible top-level windows of a process
std::vector<HWND> Children(HWND parent);
// The texts of a dialog's static controls, in child order.
std::vector<std::string> StaticTexts(HWND dialog);
std::string Describe(DWORD pid); // the process's windows, for failure messages

// ---- the program ----

class Hueberry {
  public:
    Hueberry() = default;
    Hueberry(const Hueberry&) = delete;
    Hueberry& operator=(const Hueberry&) = delete;
    ~Hueberry(); // ends a program still running, so the next start is not taken for a second copy

    bool Start(const WorkDir& dir);
    DWORD Pid() const { return pid_; }
    double StartedAtMs() const { return startedAt_; }
    bool Running() const;
    // Waits for the process to end; true with its exit code, false on timeout.
    bool WaitExit(int timeoutMs, DWORD& code) const;
    void Kill();

    HWND WaitMainWindow(int timeoutMs);
    HWND Main() const { return main_; }
    // Visible dialogs (class #32770) of the program: its own dialogs and its message boxes.
    std::vector<HWND> Dialogs() const;
    HWND WaitDialog(const std::function<bool(HWND)>& match, int timeoutMs) const;

    // Main-window client coordinates to screen coordinates.
    POINT ToScreen(int cx, int cy) const;
    bool Click(int cx, int cy) const;
    // Clicks a dialog control by its id, in the middle of it.
    bool ClickControl(HWND dialog, int id) const;
    Shot GrabClient(int cx, int cy, int width, int height) const;

  private:
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr; // kills the program with the driver if the driver itself dies
    DWORD pid_ = 0;
    double startedAt_ = 0;
    HWND main_ = nullptr;
};

} // namespace e2e
