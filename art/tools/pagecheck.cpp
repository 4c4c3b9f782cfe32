// Counts the regions (and the smallest one's pixels), leaks and tiny regions of page files as the
// Page Maker does; with --mend, closes the leaks and fills the tiny regions with line first and
// rewrites the page as a 1-bit page. Exits 1 when a page still has a leak or a tiny region:
// pagecheck [--mend] page.col...
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "image/PageCheck.h"
#include "page/PageFormat.h"
#include "page/PageLines.h"

// The shipped pictures are held to gaps of two pixels, shut whole as they always were.
constexpr int ArtGapWidth = 2;

int main(int argc, char** argv) {
    const bool mend = argc > 1 && std::strcmp(argv[1], "--mend") == 0;
    int status = 0;
    for (int i = 1 + mend; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
        LineMask mask(StdPageWidth, StdPageHeight);
        if (!PageFileOutline(file.data(), file.size(), mask.px)) {
            std::fprintf(stderr, "pagecheck: %s is not a page\n", argv[i]);
            return 2;
        }
        PageCheck check;
        CheckPage(mask, ArtGapWidth, check);
        size_t closed = 0, filled = 0;
        // Closing a gap can leave a pocket too small to hit, so mending goes round until clean.
        for (int round = 0; mend && round < 4 && check.leaks.size() + check.tiny.size(); ++round) {
            closed += check.leaks.size();
            CloseGaps(mask, check);
            CheckPage(mask, ArtGapWidth, check);
            filled += check.tiny.size();
            FillTinyPockets(mask, check);
            CheckPage(mask, ArtGapWidth, check);
        }
        if (closed + filled) {
            const std::vector<uint8_t> page = MonoPageFile(mask.px);
            std::ofstream out(argv[i], std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(page.data()), std::streamsize(page.size()));
            if (!out.good()) {
                std::fprintf(stderr, "pagecheck: cannot write %s\n", argv[i]);
                return 2;
            }
        }
        int smallest = 0;
        for (size_t r = 0; r < check.size.size(); ++r)
            smallest = r ? std::min(smallest, int(check.size[r])) : int(check.size[r]);
        std::printf("%s: %zu regions (the smallest %d pixels), %zu leaks, %zu tiny regions",
                    argv[i], check.size.size(), smallest, check.leaks.size(), check.tiny.size());
        if (mend)
            std::printf(" (%zu leaks closed, %zu tiny regions filled)", closed, filled);
        std::printf("\n");
        if (!check.leaks.empty() || !check.tiny.empty())
            status = 1;
    }
    return status;
}
