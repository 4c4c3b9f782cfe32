// The Page Maker's Win32 side: reading drawings, replacing pictures, its window.
#pragma once
#include <windows.h>

#include <string>

#include "lineart/Making.h"

enum class DrawingRead { Ok, Unreadable, TooLarge, Heif };

// What an image is read for: a drawing and a photo both (the window, which switches between them);
// a photo only; or a drawing only where the image does not look like a photo.
enum class ImageUse { Both, Photo, DrawingIfNoPhoto };

// An image's grey levels, its paper made white, and the same in colour at a photo's size (for a
// photo only, shrunk while read), upright as its orientation says: an image file decoded by the
// imaging component, or the outline of a page file (a whole sheet, no photo). The drawing is left
// empty where the use asks for none. Heif: a HEIC photo this system has no decoder for.
DrawingRead ReadDrawing(const wchar_t* path, Drawing& drawing, RgbImage& photo,
                        ImageUse use = ImageUse::Both);

// Why an image was not read, after its name: " cannot be read as a picture" and the like.
const char* ReadFailure(DrawingRead read);

enum class ReplaceResult { Done, BackupFailed, WriteFailed };

// Keeps a copy of the page file as <path>.bak (one level), then writes the lines as a fresh 1-bit
// page beside it and moves that into its place. A read-only page is not replaced.
ReplaceResult ReplacePage(const wchar_t* path, const LineMask& mask);

// The file of picture number picture (in PageSet) beside hbpages.exe, wherever it was started
// from: Hueberry opens its pictures from its own folder. False when the path is too long.
bool PicturePath(int picture, wchar_t (&path)[MAX_PATH]);

// Every name the Page Maker is given or shows is wide, whatever its script; the core's texts and
// command line are UTF-8.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// Whether Hueberry is running: it would write the page it has open over a replaced one.
bool HueberryRunning();

// The window form; returns the exit code.
int RunMakerWindow(HINSTANCE instance, int showCommand);
