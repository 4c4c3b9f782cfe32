// libFuzzer targets for the readers of outside bytes (one per FUZZ_ macro) and their invariants.
#include <cstring>

#include "page/PageFormat.h"
#include "print/PrintModeFile.h"

#define CHECK(ok) ((ok) ? void() : __builtin_trap())
[[maybe_unused]] static struct Page {
    BitmapFileHeader fh;
    MYBITMAPINFO bi;
    uint8_t pixels[660 * 460]; // the standard page
} Loaded, Again, Marked;
[[maybe_unused]] static int Parse(const uint8_t* file, size_t size, Page& page) {
    static const PalEntry palette[256] = {};
    return ParsePage(file, size, palette, page.fh, page.bi, page.pixels);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<uint8_t> out;
#if defined(FUZZ_page)
    std::memset(&Marked, 0xA5, sizeof Marked);
    Loaded = Marked;
    if (!Parse(data, size, Loaded)) // a refused page leaves the page in memory untouched
        return CHECK(!std::memcmp(&Loaded, &Marked, sizeof Marked)), 0;
    // The header says what the pixels are, to the display and in the saved page, which loads back.
    const BitmapInfoHeader& h = Loaded.bi.bmiHeader;
    CHECK(h.biSize == 40 && h.biPlanes == 1 && h.biBitCount == 8 && h.biCompression == 0 &&
          h.biClrUsed <= 256 && Loaded.fh.bfOffBits == 1078);
    out = SerializePage(Loaded.fh, Loaded.bi, Loaded.pixels);
    CHECK(Parse(out.data(), out.size(), Again) && !std::memcmp(&Loaded, &Again, sizeof Again));
#elif defined(FUZZ_bmp)
    // A refused drawing gives no page; an accepted one, its own pixels as a blank page that loads.
    out.assign(1, 0xA5);
    if (!ConvertBmpBytes(data, size, out))
        return CHECK(out.empty()), 0;
    std::memcpy(&Loaded, out.data(), sizeof Loaded.fh + sizeof(BitmapInfoHeader));
    CHECK(Loaded.fh.bfType == 0x4F43 && // "CO"
          Loaded.fh.bfReserved1 == 1 && !std::memcmp(&out[54], data + 54, out.size() - 54));
    CHECK(Loaded.bi.bmiHeader.biWidth != 660 || Loaded.bi.bmiHeader.biHeight != 460 ||
          Parse(out.data(), out.size(), Loaded));
#else // printer.dta: its first bytes replace the low-order bytes of 0; nothing past them is read
    int32_t want = 0;
    std::memcpy(&want, data, size < 4 ? size : 4);
    CHECK(PrintModeFromBytes(data, int(size)) == want);
#endif
    return 0;
}
