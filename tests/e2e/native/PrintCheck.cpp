// Checks a printed sheet, rendered at the printer's resolution, pixel by pixel against the page.
//
// Usage: print_check SHEET.ppm PAGE.col MODE [PW PH]
//   SHEET.ppm  the printed PDF rendered by Ghostscript at 300 dpi without interpolation (P6)
//   PAGE.col   the page as it was when printed
//   MODE       the printing mode: 0 Default, 2 Alternate 2, any other Alternate 1
//   PW PH      the printable size the program was given (default 2479 3508: A4 at 300 dpi)
// Exit status 0 when the sheet is right, 1 when it is not, 2 when the inputs cannot be read.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "colouring/ColourTable.h"
#include "page/PageFormat.h"
#include "print/PrintGeometry.h"

namespace {

using Colour = uint32_t; // 0xRRGGBB
constexpr Colour White = 0xFFFFFF, Black = 0x000000;

std::string Hex(Colour c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", unsigned(c));
    return text;
}

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    uint8_t buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    std::fclose(f);
    return true;
}

struct Raster {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    Colour At(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
        return Colour(p[0]) << 16 | Colour(p[1]) << 8 | p[2];
    }
};

// A binary PPM with 8-bit samples; Ghostscript puts a comment in its header.
bool ReadPpm(const char* path, Raster& out) {
    std::vector<uint8_t> bytes;
    if (!ReadFile(path, bytes) || bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6')
        return false;
    size_t at = 2;
    int values[3];
    for (int& v : values) {
        for (;;) {
            while (at < bytes.size() && std::isspace(bytes[at]))
                ++at;
            if (at < bytes.size() && bytes[at] == '#') {
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
                continue;
            }
            break;
        }
        v = 0;
        const size_t digits = at;
        while (at < bytes.size() && std::isdigit(bytes[at]))
            v = v * 10 + (bytes[at++] - '0');
        if (at == digits)
            return false;
    }
    ++at; // the single white space before the samples
    out.width = values[0];
    out.height = values[1];
    const size_t size = size_t(out.width) * size_t(out.height) * 3;
    if (values[2] != 255 || out.width <= 0 || out.height <= 0 || bytes.size() - at < size)
        return false;
    out.rgb.assign(bytes.begin() + long(at), bytes.begin() + long(at + size));
    return true;
}

// The colour a page pixel must have on paper: blank prints white, the rest as the colour table.
Colour PrintedColour(uint8_t index) {
    if (index == BlankIndex)
        return White;
    if (index >= ColourCount)
        return Black; // never in a page the program wrote; shows up as a mismatch if printed
    const ColourEntry& c = ColourTable[index];
    return Colour(c.red) << 16 | Colour(c.green) << 8 | c.blue;
}

// One pixel of the picture as printed: its colour and where it came from, for the report.
struct Source {
    Colour colour = White;
    int x = -1, y = -1; // picture position (from its top-left), or -1 for frame or paper
    bool frame = false;
};

// The picture turned a quarter turn anticlockwise, so its top edge runs down the left of the
// sheet, inside a black frame `frame` pixels wide. Column u, row v (from the top) of the turned
// picture show picture pixel x = width - 1 - v, y = u.
struct Framed {
    int width = 0, height = 0;
    std::vector<Source> px;
    const Source& At(int u, int v) const { return px[size_t(v) * size_t(width) + size_t(u)]; }
};

Framed FramePicture(const std::vector<uint8_t>& page, int frame) {
    Framed f;
    f.width = StdPageHeight + 2 * frame;
    f.height = StdPageWidth + 2 * frame;
    f.px.assign(size_t(f.width) * size_t(f.height), Source{Black, -1, -1, true});
    for (int v = 0; v < StdPageWidth; ++v) {
        for (int u = 0; u < StdPageHeight; ++u) {
            const int x = StdPageWidth - 1 - v, y = u;
            // Page rows are stored bottom-up.
            const uint8_t index = page[size_t(StdPageHeight - 1 - y) * StdPageWidth + size_t(x)];
            f.px[size_t(v + frame) * size_t(f.width) + size_t(u + frame)] =
                Source{PrintedColour(index), x, y, false};
        }
    }
    return f;
}

// Rows [top, top + rows) of the framed picture, stretched onto the sheet rectangle (x, y, w, h).
struct Placement {
    int top, rows;
    int x, y, w, h;
};

struct Sheet {
    Framed framed;
    std::vector<Placement> parts;

    // What the sheet shows at a point (device pixel units, fractional): the source pixel of the
    // part under it, later parts over earlier ones, or the white paper.
    Source At(double fx, double fy) const {
        Source s;
        for (const Placement& p : parts) {
            if (fx < p.x || fy < p.y || fx >= p.x + p.w || fy >= p.y + p.h)
                continue;
            const int u = int((fx - p.x) * framed.width / p.w);
            const int v = p.top + int((fy - p.y) * p.rows / p.h);
            s = framed.At(u, v);
        }
        return s;
    }
};

Sheet LayOut(int mode, int pw, int ph, const std::vector<uint8_t>& page) {
    Sheet sheet;
    const int W = StdPageWidth, H = StdPageHeight;
    if (mode == 0) {
        const DefaultGeometry g = DefaultLayout(pw, ph, W, H);
        sheet.framed = FramePicture(page, PrintFrame);
        sheet.parts.push_back({0, W + 2 * PrintFrame, g.xDest, g.yDest, g.destW, g.destH});
        return sheet;
    }
    // The alternates print two halves, each with the frame (3 pixels) on three sides.
    sheet.framed = FramePicture(page, 3);
    const int half = (W + 6) / 2;
    if (mode == 2) {
        const BlocksGeometry g = BlocksLayout(pw, ph, W, H);
        sheet.parts.push_back({0, half, g.xOff, g.yOff, g.k * (H + 6), g.k * half});
        sheet.parts.push_back({half, half, g.xOff, g.lowerY, g.k * (H + 6), g.k * half});
    } else {
        const HalvesGeometry g = HalvesLayout(pw, ph, W, H);
        sheet.parts.push_back({0, half, g.xDest, g.yDest, g.destW, g.halfH});
        sheet.parts.push_back({half, half, g.xDest, g.yDest + g.halfH, g.destW, g.halfH});
    }
    return sheet;
}

std::string Describe(const Source& s) {
    if (s.frame)
        return "frame";
    if (s.x < 0)
        return "paper";
    char text[48];
    std::snprintf(text, sizeof text, "picture (%d,%d)", s.x, s.y);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr, "usage: %s SHEET.ppm PAGE.col MODE [PW PH]\n", argv[0]);
        return 2;
    }
    const int mode = std::atoi(argv[3]);
    const int pw = argc == 6 ? std::atoi(argv[4]) : 2479,
              ph = argc == 6 ? std::atoi(argv[5]) : 3508;
    const char* const names[3] = {"Default", "Alternate 1", "Alternate 2"};
    const char* name = names[mode == 0 ? 0 : mode == 2 ? 2 : 1];

    Raster raster;
    if (!ReadPpm(argv[1], raster)) {
        std::fprintf(stderr, "%s: not a readable 8-bit binary PPM\n", argv[1]);
        return 2;
    }
    std::vector<uint8_t> file;
    PalEntry palette[256];
    BuildPaletteEntries(palette);
    BitmapFileHeader header;
    MYBITMAPINFO info;
    std::vector<uint8_t> page(PagePixelBytes);
    if (!ReadFile(argv[2], file) ||
        ParsePage(file.data(), file.size(), palette, header, info, page.data()) != 1) {
        std::fprintf(stderr, "%s: not a readable page\n", argv[2]);
        return 2;
    }
    if (raster.width < pw || raster.height < ph) {
        std::printf("FAIL %s: the sheet is %d x %d pixels, smaller than the printable %d x %d\n",
                    name, raster.width, raster.height, pw, ph);
        return 1;
    }

    // Every pixel of the sheet is compared. Ghostscript renders an enlarged image by pixel
    // centres; a sheet pixel straddling the edge between two source pixels (or a part's outer
    // edge) may take either, so there the colour under any corner of the pixel is accepted too.
    const Sheet sheet = LayOut(mode, pw, ph, page);
    long exact = 0, edges = 0, wrong = 0;
    int left = raster.width, top = raster.height, right = -1, bottom = -1;
    std::string first;
    for (int y = 0; y < raster.height; ++y) {
        for (int x = 0; x < raster.width; ++x) {
            const Colour got = raster.At(x, y);
            if (got != White) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
            const Source centre = sheet.At(x + 0.5, y + 0.5);
            if (got == centre.colour) {
                ++exact;
                continue;
            }
            bool edge = false;
            for (const double dx : {0.02, 0.98})
                for (const double dy : {0.02, 0.98})
                    edge = edge || sheet.At(x + dx, y + dy).colour == got;
            if (edge) {
                ++edges;
                continue;
            }
            if (++wrong <= 10) {
                char line[160];
                std::snprintf(line, sizeof line, "  sheet (%d,%d): %s expected %s, got %s\n", x, y,
                              Describe(centre).c_str(), Hex(centre.colour).c_str(),
                              Hex(got).c_str());
                first += line;
            }
        }
    }

    int eLeft = raster.width, eTop = raster.height, eRight = -1, eBottom = -1;
    for (const Placement& p : sheet.parts) {
        eLeft = std::min(eLeft, p.x), eTop = std::min(eTop, p.y);
        eRight = std::max(eRight, p.x + p.w - 1), eBottom = std::max(eBottom, p.y + p.h - 1);
    }
    std::printf("%s %s: sheet %d x %d; framed picture expected at (%d,%d)-(%d,%d), printed "
                "(%d,%d)-(%d,%d); %ld pixels exact, %ld on source-pixel edges, %ld wrong\n",
                wrong ? "FAIL" : "PASS", name, raster.width, raster.height, eLeft, eTop, eRight,
                eBottom, left, top, right, bottom, exact, edges, wrong);
    if (wrong)
        std::printf("first differences:\n%s", first.c_str());
    return wrong ? 1 : 0;
}
