// Drives the real hueberry.exe from outside: process, windows, real input, the screen and page
// files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "page/PageFormat.h"

namespace e2e {

// Polls cond until it holds or timeoutMs has passed; true when it held.
bool WaitUntil(const std::function<bool()>& cond, int timeoutMs, int pollMs = 10);
// A repository file as Wine sees it ("Z:\..."; on Windows the path as it is).
std::string SourcePath(const std::string& relative);
bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// A scratch folder beside the driver, emptied: <driver folder>\e2e-work\<name>.
std::string MakeWorkDir(const std::string& name);

constexpr int PageLeft = 70, PageTop = 70; // the picture in the main window's client area
extern const char* const PageFiles[6];

// A page as the program holds it; At takes picture coordinates (y from the top).
struct Page {
    BitmapFileHeader file{};
    MYBITMAPINFO info{};
    std::vector<uint8_t> pixels; // bottom-up rows, as stored
    uint8_t& At(int x, int y) { return pixels[size_t(StdPageHeight - 1 - y) * StdPageWidth + x]; }
    uint32_t Rgb(uint8_t index) const; // 0xRRGGBB from the page's own colour table
};
bool LoadPage(const std::string& path, Page& page);
// What a click at (x, y) with colour leaves: the 4-connected pixels that are neither outline nor
// colour. Returns how many pixels changed.
int ApplyFill(Page& page, int x, int y, uint8_t colour);

// The client area of a window read back from the screen, 0xRRGGBB per pixel.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint32_t> px;
};
Shot GrabClient(HWND window);
// A bitmap file read as a Shot (any depth GDI can load).
bool LoadShot(const std::string& path, Shot& shot);
bool SaveShot(const std::string& path, const Shot& shot);

bool ClickAt(POINT screen);
bool ClickHere(); // the left button where the pointer is, without moving it
// Presses the keys in order and lets them go in reverse order (VK_MENU, VK_F4 is Alt+F4).
void PressKeys(std::initializer_list<WORD> keys);
HCURSOR CurrentCursor();

std::string TextOf(HWND window);
std::vector<std::string> StaticTexts(HWND dialog); // texts of its static controls, in order

class Hueberry {
  public:
    Hueberry() = default;
    Hueberry(const Hueberry&) = delete;
    Hueberry& operator=(const Hueberry&) = delete;
    ~Hueberry(); // ends a copy still running, so the next start is not taken for a second copy

    bool Start(const std::string& workDir); // and waits for the main window
    bool Running() const;
    DWORD Pid() const { return pid_; }
    bool WaitExit(int timeoutMs, DWORD& code) const;
    void Kill();

    HWND Main() const { return main_; }
    // The first visible dialog (class #32770: its dialogs and message boxes) that matches.
    HWND WaitDialog(const std::function<bool(HWND)>& match, int timeoutMs = 15000) const;
    std::vector<HWND> Dialogs() const;
    bool Click(int cx, int cy) const; // main-window client coordinates
    // Clicks a control in its middle: a dialog's by id, or one of the main window's buttons.
    bool ClickControl(HWND parent, int id) const;

  private:
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr; // ends the program with the driver if the driver itself dies
    DWORD pid_ = 0;
    HWND main_ = nullptr;
};

} // namespace e2e
