// A dialog template's layout in dialog units, read from the bytes of its resource (the classic
// DIALOG form), and dialog units turned into pixels.
#pragma once
#include <cstddef>
#include <cstdint>

struct UnitRect {
    int x, y, width, height;
};

constexpr int MaxTemplateItems = 16;

struct TemplateItem {
    UnitRect rect;
    char text[24]; // its text, cut short, or its picture's name; empty when given by number
};

struct DialogTemplateLayout {
    int width = 0, height = 0; // the client area
    int pointSize = 0;         // of the template's own font; 0 for the system font
    int itemCount = 0;
    TemplateItem items[MaxTemplateItems] = {}; // the controls, in template order
};

// False when the bytes are not one whole template of at most MaxTemplateItems controls.
bool ReadDialogTemplate(const uint8_t* bytes, size_t size, DialogTemplateLayout& layout);

// Dialog units in pixels for a base unit, rounded as the platform rounds them: across by the
// horizontal base unit / 4, down by the vertical one / 8.
int UnitsAcross(int units, int baseUnit);
int UnitsDown(int units, int baseUnit);
