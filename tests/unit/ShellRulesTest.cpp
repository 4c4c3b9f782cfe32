// The decisions behind the pointer, a click and the page steps.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/PointerRules.h"
#include "page/PageOrder.h"

namespace {

TEST(PointerRules, AClickFillsAnOpenPixelOfAnotherColourOnThePage) {
    // A 3 x 2 page, rows bottom-up: blank below; outline, blank and colour 5 on top. Blank bytes
    // lie around it, so a read off the page would find a pixel to fill.
    uint8_t pixels[12] = {37, 37, 37, 37, 37, 37, 0, 37, 5, 37, 37, 37};
    const PageView page{pixels + 3, 3, 2};
    const std::tuple<int, int, int, bool> clicks[] = {
        {71, 70, 2, true},  {72, 70, 2, true},  {70, 71, 2, true},
        {70, 70, 2, false}, {72, 70, 5, false}, {73, 70, 2, false},
        {70, 72, 2, false}, {69, 70, 2, false}, {71, 69, 2, false}};
    for (const auto& [cx, cy, selected, fills] : clicks) {
        int x = -9, y = -9;
        EXPECT_EQ(ClickStartsFill(page, cx, cy, selected, x, y), fills) << cx << "," << cy;
        EXPECT_TRUE(!fills || (x == cx - 70 && y == cy - 70)) << cx << "," << cy;
    }
    int x, y;
    EXPECT_FALSE(ClickStartsFill(PageView{nullptr, 0, 0}, 70, 70, 2, x, y)); // no page yet
}

// Loads succeed for the pages in readable; each page tried is noted.
struct Pages {
    std::string readable, tried;
    static bool Load(int page, void* context) {
        Pages& pages = *static_cast<Pages*>(context);
        pages.tried += char('0' + page);
        return pages.readable.find(char('0' + page)) != std::string::npos;
    }
};

TEST(PageOrder, StartUpSearchesOnwardAndStepsWrapRoundToTheNextReadablePage) {
    // A step (or the start-up search), from, by, the pages readable, where it lands, what it tried.
    const std::tuple<bool, int, int, const char*, int, const char*> cases[] = {
        {false, 0, 0, "012345", 0, "0"}, {false, 0, 0, "35", 3, "0123"},
        {false, 2, 0, "01", -1, "2345"}, {true, 5, +1, "012345", 0, "0"},
        {true, 0, -1, "012345", 5, "5"}, {true, 0, +1, "0245", 2, "12"},
        {true, 1, -1, "3", 3, "0543"},   {true, 3, +1, "3", 3, "450123"},
        {true, 3, +1, "", -1, "450123"}};
    for (const auto& [step, from, delta, readable, lands, tried] : cases) {
        Pages pages{readable, ""};
        EXPECT_EQ(step ? StepToReadable(from, delta, 6, Pages::Load, &pages)
                       : FirstReadablePage(from, 6, Pages::Load, &pages),
                  lands)
            << from << " " << delta << " " << readable;
        EXPECT_EQ(pages.tried, tried);
    }
}

} // namespace
