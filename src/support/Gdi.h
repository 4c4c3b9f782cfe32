// Device contexts that are let go when the operation that took them ends.
#pragma once
#include <windows.h>

// A context of a window's client area (of the whole screen for a null window).
struct WindowDc {
    HWND window;
    HDC dc;
    explicit WindowDc(HWND owner) : window(owner), dc(GetDC(owner)) {}
    ~WindowDc() { ReleaseDC(window, dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
};

// A memory context compatible with a target; whatever is selected into it is let go with it.
struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC target) : dc(CreateCompatibleDC(target)) {}
    ~MemoryDc() { DeleteDC(dc); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};
