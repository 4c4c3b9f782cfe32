// The six command buttons and 36 colour buttons: their tables, creation and owner drawing.
#include "screen/Buttons.h"

#include "colouring/ColourTable.h"
#include "colouring/Display.h"
#include "screen/ScreenTables.h"
#include "support/Gdi.h"
#include "support/Program.h"

// In creation order; the bitmap slots of hbmCommand and hbmCommandDn are id - 1001.
ButtonRecord CommandButtons[6] = {
    {nullptr, IdQuit, 12, 12, 96, 45},   {nullptr, IdPrint, 318, 12, 79, 45},
    {nullptr, IdClear, 403, 12, 79, 45}, {nullptr, IdInfo, 692, 12, 96, 45},
    {nullptr, IdUp, 267, 543, 53, 45},   {nullptr, IdDown, 480, 543, 53, 45},
};

// In creation order; button id k paints colour index k - 1999.
ButtonRecord ColourButtons[36] = {
    {nullptr, 2000, 114, 12, 45, 45},  {nullptr, 2001, 165, 12, 45, 45},
    {nullptr, 2002, 216, 12, 45, 45},  {nullptr, 2003, 267, 12, 45, 45},
    {nullptr, 2004, 488, 12, 45, 45},  {nullptr, 2005, 539, 12, 45, 45},
    {nullptr, 2006, 590, 12, 45, 45},  {nullptr, 2007, 641, 12, 45, 45},
    {nullptr, 2008, 62, 543, 45, 45},  {nullptr, 2009, 114, 543, 45, 45},
    {nullptr, 2010, 165, 543, 45, 45}, {nullptr, 2011, 216, 543, 45, 45},
    {nullptr, 2012, 539, 543, 45, 45}, {nullptr, 2013, 590, 543, 45, 45},
    {nullptr, 2014, 641, 543, 45, 45}, {nullptr, 2015, 692, 543, 45, 45},
    {nullptr, 2016, 12, 84, 45, 45},   {nullptr, 2017, 12, 135, 45, 45},
    {nullptr, 2018, 12, 186, 45, 45},  {nullptr, 2019, 12, 237, 45, 45},
    {nullptr, 2020, 12, 288, 45, 45},  {nullptr, 2021, 12, 339, 45, 45},
    {nullptr, 2022, 12, 390, 45, 45},  {nullptr, 2023, 12, 441, 45, 45},
    {nullptr, 2024, 12, 492, 45, 45},  {nullptr, 2025, 12, 543, 45, 45},
    {nullptr, 2026, 743, 84, 45, 45},  {nullptr, 2027, 743, 135, 45, 45},
    {nullptr, 2028, 743, 186, 45, 45}, {nullptr, 2029, 743, 237, 45, 45},
    {nullptr, 2030, 743, 288, 45, 45}, {nullptr, 2031, 743, 339, 45, 45},
    {nullptr, 2032, 743, 390, 45, 45}, {nullptr, 2033, 743, 441, 45, 45},
    {nullptr, 2034, 743, 492, 45, 45}, {nullptr, 2035, 743, 543, 45, 45},
};

namespace {

constexpr DWORD ButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
static_assert(ButtonStyle == 0x5000000B);

void CreateFromTable(HWND parent, ButtonRecord* table, int count) {
    for (int i = 0; i < count; ++i) {
        ButtonRecord& row = table[i];
        row.window = CreateWindowA("button", "", ButtonStyle, row.x, row.y, row.width, row.height,
                                   parent, HMENU(INT_PTR(row.id)), hInst, nullptr);
    }
}

} // namespace

int CreateButtons(HWND parent) {
    CreateFromTable(parent, CommandButtons, 6);
    CreateColourButtons(parent);
    InvalidateRect(parent, nullptr, FALSE);
    return 0;
}

void CreateColourButtons(HWND parent) {
    CreateFromTable(parent, ColourButtons, 36);
}

int DrawButton(const DRAWITEMSTRUCT* item) {
    const int id = int(item->CtlID);
    const bool command = id >= IdQuit && id <= IdDown;
    // Only the 42 buttons are owner-drawn; any other id would index past the bitmap or colour
    // tables.
    if (!command && (id < IdFirstColour || id > IdLastColour))
        return 1;

    SelectDisplayPalette(item->hDC);
    const MemoryDc memory(item->hDC);
    SelectDisplayPalette(memory.dc);

    if (command) {
        const int slot = id - IdQuit;
        SelectObject(memory.dc,
                     (item->itemState & ODS_SELECTED) ? hbmCommandDn[slot] : hbmCommand[slot]);
    } else {
        const ColourEntry& colour = ColourTable[id - 1999];
        const bool large = id == SelectedColourId || (item->itemState & ODS_FOCUS);
        SelectObject(memory.dc, large ? hbmColorBtnDn : hbmColorBtn);
        // Painted onto the shared bitmap itself: each draw covers the whole disc, so no earlier
        // colour survives, and each face only ever receives its own disc.
        const COLORREF rgb = RGB(colour.red, colour.green, colour.blue);
        WalkDisc(large ? LargeDisc : SmallDisc,
                 [&](int x, int y) { SetPixel(memory.dc, x, y, rgb); });
    }

    // For a button's own item rectangle left and top are 0, so right and bottom are its size.
    BitBlt(item->hDC, item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom,
           memory.dc, 0, 0, SRCCOPY);
    return 1;
}
