// Reading a dialog template's layout: a header, three names or ordinals, an optional font, then
// each control aligned on four bytes.
#include "support/DialogTemplate.h"

namespace {

constexpr uint32_t SetFontStyle = 0x40; // the template names a font of its own

struct Reader {
    const uint8_t* bytes;
    size_t size, at = 0;
    bool ok = true;

    unsigned Word() {
        if (at + 2 > size) {
            ok = false;
            return 0;
        }
        const unsigned value = bytes[at] | bytes[at + 1] << 8;
        at += 2;
        return value;
    }
    uint32_t Long() {
        const uint32_t low = Word();
        return low | uint32_t(Word()) << 16;
    }
    int Short() { return int16_t(Word()); }
    // A name: none (0), an ordinal (0xFFFF and a word) or a string of wide characters to a 0,
    // kept (its ASCII, cut short) where asked.
    void SkipName(char* text = nullptr, size_t room = 0) {
        unsigned c = Word();
        if (c == 0xFFFF) {
            Word();
            return;
        }
        for (size_t n = 0; ok && c; c = Word())
            if (n + 1 < room)
                text[n++] = c < 128 ? char(c) : '?';
    }
    void Align() { at = (at + 3) & ~size_t(3); }
};

UnitRect ReadRect(Reader& in) {
    const int x = in.Short(), y = in.Short(), width = in.Short();
    return {x, y, width, in.Short()};
}

// The platform's MulDiv: the product over the divisor, rounded half away from zero.
int Scale(int units, int baseUnit, int divisor) {
    const long long product = 1LL * units * baseUnit;
    return int((product + (product < 0 ? -divisor : divisor) / 2) / divisor);
}

} // namespace

bool ReadDialogTemplate(const uint8_t* bytes, size_t size, DialogTemplateLayout& layout) {
    Reader in{bytes, size};
    layout = {};
    const uint32_t style = in.Long();
    in.Long(); // extended style
    const int count = int(in.Word());
    in.Short(); // its own position: the dialog is centred on the screen
    in.Short();
    layout.width = in.Short();
    layout.height = in.Short();
    in.SkipName(); // menu
    in.SkipName(); // class
    in.SkipName(); // caption
    if (style & SetFontStyle) {
        layout.pointSize = int(in.Word());
        in.SkipName();
    }
    if (!in.ok || count > MaxTemplateItems)
        return false;
    for (int i = 0; i < count; ++i) {
        in.Align();
        in.Long(); // style
        in.Long(); // extended style
        TemplateItem& item = layout.items[i];
        item.rect = ReadRect(in);
        in.Word();     // id
        in.SkipName(); // class
        in.SkipName(item.text, sizeof item.text);
        const unsigned extra = in.Word(); // creation data, counted with this word
        if (extra > 2)
            in.at += extra - 2;
    }
    layout.itemCount = count;
    return in.ok && in.at <= size;
}

int UnitsAcross(int units, int baseUnit) {
    return Scale(units, baseUnit, 4);
}

int UnitsDown(int units, int baseUnit) {
    return Scale(units, baseUnit, 8);
}
