// A dialog template's layout read from its bytes, dialog units in pixels, the intro's margin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/Centring.h"
#include "support/DialogTemplate.h"

namespace {

struct Bytes {
    std::vector<uint8_t> data;
    void Word(unsigned w) { data.insert(data.end(), {uint8_t(w), uint8_t(w >> 8)}); }
    void Long(uint32_t l) { Word(l & 0xFFFF), Word(l >> 16); }
    void Text(const char* s) {
        for (; *s; ++s)
            Word(uint8_t(*s));
        Word(0);
    }
    void Align() { data.resize((data.size() + 3) & ~size_t(3)); }
};

// A small about box: its own 8-point font, an icon named by a string with its class by number,
// a button whose class is a string, after a control with two bytes of creation data.
std::vector<uint8_t> AboutLike(int buttons = 1, const char* icon = "HueberryIcon") {
    Bytes b;
    b.Long(0x80800040), b.Long(0), b.Word(unsigned(1 + buttons));
    for (int v : {0, 0, 139, 175})
        b.Word(unsigned(v));
    b.Word(0), b.Word(0), b.Text("");   // no menu, the dialog class, no caption
    b.Word(8), b.Text("MS Sans Serif"); // the font
    b.Align();
    b.Long(0x50000003), b.Long(0);
    for (int v : {60, 11, 18, 20, -1})
        b.Word(unsigned(v));
    b.Word(0xFFFF), b.Word(0x82), b.Text(icon), b.Word(4), b.Word(0x55AA);
    for (int i = 0; i < buttons; ++i) {
        b.Align();
        b.Long(0x50010001), b.Long(0);
        for (int v : {48, 149, 42, 14, 1})
            b.Word(unsigned(v));
        b.Text("Button"), b.Word(0xFFFF), b.Word(7), b.Word(0);
    }
    return b.data;
}

TEST(DialogTemplate, ControlsAreReadInOrderWithTheirUnitsAndNames) {
    const std::vector<uint8_t> bytes = AboutLike();
    DialogTemplateLayout layout;
    ASSERT_TRUE(ReadDialogTemplate(bytes.data(), bytes.size(), layout));
    EXPECT_EQ((std::vector<int>{layout.width, layout.height, layout.pointSize}),
              (std::vector<int>{139, 175, 8}));
    ASSERT_EQ(layout.itemCount, 2);
    const UnitRect icon = layout.items[0].rect, ok = layout.items[1].rect;
    EXPECT_EQ(std::vector<int>(
                  {icon.x, icon.y, icon.width, icon.height, ok.x, ok.y, ok.width, ok.height}),
              std::vector<int>({60, 11, 18, 20, 48, 149, 42, 14}));
    EXPECT_EQ(std::string(layout.items[0].text), "HueberryIcon");
    EXPECT_EQ(std::string(layout.items[1].text), ""); // a text given by number
    // A long name is cut to the room kept for it; sixteen controls are read, seventeen refused.
    const std::vector<uint8_t> sixteen = AboutLike(15, "AnIconWithAVeryLongNameIndeed");
    ASSERT_TRUE(ReadDialogTemplate(sixteen.data(), sixteen.size(), layout));
    EXPECT_EQ(std::string(layout.items[0].text), "AnIconWithAVeryLongName");
    EXPECT_EQ(layout.items[15].rect.y, 149);
    const std::vector<uint8_t> seventeen = AboutLike(16);
    EXPECT_FALSE(ReadDialogTemplate(seventeen.data(), seventeen.size(), layout));
    // Cut anywhere, the bytes are no template.
    for (size_t size = 0; size < bytes.size(); size += 3)
        EXPECT_FALSE(ReadDialogTemplate(bytes.data(), size, layout)) << size;
}

TEST(DialogTemplate, UnitsRoundAsThePlatformDoes) {
    // Down or not, units, base: pixels across are units x base / 4, down units x base / 8; halves
    // go away from zero (7.5, 3.75, -7.5; 14.625, 6.5, 4.875).
    const int cases[][4] = {{0, 170, 8, 340},  {0, 5, 6, 8},   {0, 3, 5, 4},  {0, -5, 6, -8},
                            {1, 153, 16, 306}, {1, 9, 13, 15}, {1, 4, 13, 7}, {1, 3, 13, 5}};
    for (const auto& c : cases)
        EXPECT_EQ((c[0] ? UnitsDown : UnitsAcross)(c[1], c[2]), c[3]) << c[1] << " " << c[2];
    // The intro's 320-pixel pictures sit 10 pixels into its 170 units.
    EXPECT_EQ(CentreOffsetFor(170, 320, 16), 10);
}

} // namespace
