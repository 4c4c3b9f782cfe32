// The screen the program should show, and the steps of a session that most tests share.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Driver.h"

namespace e2e {

// Models cover the whole 800 x 600 window, and comparisons whatever of it the client area shows:
// 798 x 598 inside the window's thin border, or all of it where exclusive full-screen mode takes
// the border away (Wine's DirectDraw does).
constexpr int ModelWidth = 800, ModelHeight = 600;
constexpr int StartTimeoutMs = 30000;
constexpr int ScreenTimeoutMs = 15000;

struct ButtonPlace {
    int id, x, y, width, height;
};
extern const ButtonPlace CommandButtons[6];
extern const ButtonPlace ColourButtons[36];
POINT ButtonCentre(int id); // client coordinates

// Expected colours of the client area; pixels left unknown are not compared.
struct ScreenModel {
    std::vector<uint32_t> colour = std::vector<uint32_t>(size_t(ModelWidth) * ModelHeight, 0);
    std::vector<uint8_t> known = std::vector<uint8_t>(size_t(ModelWidth) * ModelHeight, 0);
    std::string problems; // artwork the model needed but could not find; fails every comparison
    void Set(int x, int y, uint32_t rgb) {
        colour[size_t(y) * ModelWidth + x] = rgb;
        known[size_t(y) * ModelWidth + x] = 1;
    }
};

// The background shown before the running state: yellow tiles with a black plus, outside `except`
// (a rectangle in client coordinates, typically the intro dialog).
ScreenModel DotBackground(RECT except);
// The running screen: frame, page, title strip, command buttons and colour buttons.
ScreenModel RunningScreen(const Page& page, int titleRow, int selectedColourId);
// Only the picture and the title strip, the parts that change while a child colours and steps.
ScreenModel PageAndTitle(const Page& page, int titleRow);

// Compares a grab of the whole client area with the model.
::testing::AssertionResult Matches(const ScreenModel& model, const Shot& client, const char* what);

class E2eTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the six delivered pages and the music into the working directory.
    void SeedDelivered();
    Page ReadPage(int index) const; // as it is on disk now

    // Steps; they fail fatally, so call them through ASSERT_NO_FATAL_FAILURE.
    void Launch();
    HWND WaitIntro();
    void CloseIntro(bool withEscape);
    void StartRunning(); // launch, close the intro with OK, wait for page 0 on the running screen
    void ExpectScreen(const ScreenModel& model, const char* what, int timeoutMs = ScreenTimeoutMs);
    void ExpectPage(const Page& page, int index); // the picture and title of page `index`
    // Clicks picture position (x, y) and waits until the fill has reached the screen and ended.
    void Fill(Page& expected, int x, int y, uint8_t colour);
    void PickColour(int id);
    HWND WaitMessageBox(const std::string& text, const std::string& caption);
    // The dialog is the active window and the main window is disabled beneath it.
    void ExpectModal(HWND dialog);
    // Checks that the box is modal, then presses its OK button.
    void Answer(HWND box);
    void ExpectExit(DWORD code, int timeoutMs = ScreenTimeoutMs);
    void Quit(); // the Q key; the program must end with 0

    Shot GrabClient() const;

    std::unique_ptr<WorkDir> dir_;
    Hueberry app_;
};

} // namespace e2e
