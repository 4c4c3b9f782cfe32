// Regions, leaks and tiny regions of a page's lines, their mending, and the page file of the lines.
#include "pagemaker/PageCheck.h"

#include <algorithm>
#include <cstring>

#include "page/PageFormat.h"

namespace {

constexpr int W = StdPageWidth, H = StdPageHeight;

// Labels the 4-connected groups of the pixels where member is non-zero, in reading order of their
// first pixels; label is -1 elsewhere.
void Label(const std::vector<uint8_t>& member, std::vector<int32_t>& label,
           std::vector<int32_t>& size, std::vector<PixelBox>& box) {
    label.assign(member.size(), -1);
    size.clear();
    box.clear();
    std::vector<int32_t> pending;
    for (int32_t start = 0; start < int32_t(member.size()); ++start) {
        if (!member[start] || label[start] >= 0)
            continue;
        const int32_t id = int32_t(size.size());
        PixelBox b{start % W, start / W, start % W, start / W};
        int32_t count = 0;
        label[start] = id;
        pending.assign(1, start);
        while (!pending.empty()) {
            const int32_t p = pending.back(), x = p % W, y = p / W;
            pending.pop_back();
            ++count;
            b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x),
                 std::max(b.bottom, y)};
            const int32_t next[4] = {y > 0 ? p - W : -1, y < H - 1 ? p + W : -1, x > 0 ? p - 1 : -1,
                                     x < W - 1 ? p + 1 : -1};
            for (int32_t q : next)
                if (q >= 0 && member[q] && label[q] < 0) {
                    label[q] = id;
                    pending.push_back(q);
                }
        }
        size.push_back(count);
        box.push_back(b);
    }
}

uint8_t LineAt(const LineMask& m, int x, int y) {
    return x < 0 || y < 0 || x >= W || y >= H ? 1 : m[size_t(y) * W + x];
}

// The mask grown (any line in a pixel's 3 x 3 square makes it line) or shrunk (all must be line),
// beyond the edge counting as line.
LineMask Square(const LineMask& in, bool grow) {
    LineMask across(in.size()), out(in.size());
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int a = LineAt(in, x - 1, y), b = LineAt(in, x, y), c = LineAt(in, x + 1, y);
            across[size_t(y) * W + x] = grow ? (a | b | c) : (a & b & c);
        }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const int a = LineAt(across, x, y - 1), b = LineAt(across, x, y),
                      c = LineAt(across, x, y + 1);
            out[size_t(y) * W + x] = grow ? (a | b | c) : (a & b & c);
        }
    return out;
}

} // namespace

void CheckPage(const LineMask& mask, PageCheck& check) {
    const size_t n = mask.size();
    std::vector<uint8_t> open(n);
    for (size_t i = 0; i < n; ++i)
        open[i] = !mask[i];
    std::vector<PixelBox> boxes;
    Label(open, check.region, check.size, boxes);
    check.tiny.clear();
    for (size_t r = 0; r < boxes.size(); ++r)
        if (check.size[r] < TinyRegionPixels)
            check.tiny.push_back(boxes[r]);

    // The areas left once every passage of one or two pixels is shut.
    const LineMask closed = Square(Square(mask, true), false);
    std::vector<uint8_t> closedOpen(n);
    for (size_t i = 0; i < n; ++i)
        closedOpen[i] = !closed[i];
    std::vector<int32_t> part, partSize;
    Label(closedOpen, part, partSize, boxes);
    auto area = [&](size_t i) {
        return part[i] >= 0 && partSize[part[i]] >= TinyRegionPixels ? part[i] : -1;
    };

    // The open pixels outside those areas, in groups; a group touching two areas joins them.
    std::vector<uint8_t> rest(n);
    for (size_t i = 0; i < n; ++i)
        rest[i] = open[i] && area(i) < 0;
    std::vector<int32_t> group, groupSize;
    Label(rest, group, groupSize, boxes);
    std::vector<int32_t> touched(groupSize.size(), -1);
    std::vector<uint8_t> joins(groupSize.size(), 0);
    for (size_t i = 0; i < n; ++i) {
        const int32_t g = group[i];
        if (g < 0)
            continue;
        const int x = int(i % W), y = int(i / W);
        const long next[4] = {y > 0 ? long(i) - W : -1, y < H - 1 ? long(i) + W : -1,
                              x > 0 ? long(i) - 1 : -1, x < W - 1 ? long(i) + 1 : -1};
        for (long j : next) {
            const int32_t a = j >= 0 ? area(size_t(j)) : -1;
            if (a < 0)
                continue;
            if (touched[g] < 0)
                touched[g] = a;
            else if (touched[g] != a)
                joins[g] = 1;
        }
    }
    check.gap.assign(n, 0);
    for (size_t i = 0; i < n; ++i)
        check.gap[i] = group[i] >= 0 && joins[group[i]];
    check.leaks.clear();
    for (size_t g = 0; g < joins.size(); ++g)
        if (joins[g])
            check.leaks.push_back(boxes[g]);
}

void CloseGaps(LineMask& mask, const PageCheck& check) {
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] |= check.gap[i];
}

void FillTinyPockets(LineMask& mask, const PageCheck& check) {
    for (size_t i = 0; i < mask.size(); ++i)
        if (check.region[i] >= 0 && check.size[check.region[i]] < TinyRegionPixels)
            mask[i] = 1;
}

LineMask MaskFromPage(const uint8_t* pixels) {
    LineMask mask(PagePixelBytes);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            mask[size_t(y) * W + x] = pixels[size_t(H - 1 - y) * W + x] == OutlineIndex;
    return mask;
}

std::vector<uint8_t> MonoPageFile(const LineMask& mask) {
    // A 1-bit bitmap of the lines (set bits blank, rows bottom-up and padded to 32 bits), made
    // into a page by the same converter as every shipped page.
    constexpr uint32_t rowBytes = (W + 31) / 32 * 4, dataBytes = rowBytes * H;
    std::vector<uint8_t> bmp(62 + dataBytes, 0);
    const BitmapFileHeader fh{BitmapMagic, 62 + dataBytes, 0, 0, 62};
    const BitmapInfoHeader h{40, W, H, 1, 1, 0, dataBytes, 2835, 2835, 2, 2};
    const uint8_t colours[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    std::memcpy(bmp.data(), &fh, sizeof fh);
    std::memcpy(bmp.data() + sizeof fh, &h, sizeof h);
    std::memcpy(bmp.data() + sizeof fh + sizeof h, colours, sizeof colours);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (!mask[size_t(y) * W + x])
                bmp[62 + size_t(H - 1 - y) * rowBytes + x / 8] |= uint8_t(0x80 >> (x % 8));
    std::vector<uint8_t> page;
    ConvertBmpBytes(bmp.data(), bmp.size(), page);
    return page;
}
