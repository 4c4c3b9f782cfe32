// Regions, leaks and their bridges, tiny regions and specks of a page's lines, their mending, and
// pockets under a floor.
#include "image/PageCheck.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include "page/PageFormat.h"

namespace {

constexpr int W = StdPageWidth, H = StdPageHeight;

struct Point {
    int x, y;
};

uint8_t LineAt(const LineMask& m, int x, int y) {
    return x < 0 || y < 0 || x >= W || y >= H ? 1 : m[size_t(y) * W + x];
}

// One pass of Square along W pixels: to[x] is line when any (grow) or all of from[x + d * step],
// d from 0 to 2r, are.
void SquarePass(const uint8_t* from, uint8_t* to, int r, int step, bool grow) {
    for (int x = 0; x < W; ++x) {
        uint8_t v = from[x];
        for (int d = 1; d <= 2 * r; ++d)
            v = grow ? uint8_t(v | from[x + d * step]) : uint8_t(v & from[x + d * step]);
        to[x] = v;
    }
}

// The mask grown (any line in a pixel's square of side 2r + 1 makes it line) or shrunk (all must
// be line), beyond the edge counting as line: along the rows, each read with r pixels of line
// before and after it, into a copy with r rows of line above and below; then down its columns.
LineMask Square(const LineMask& in, int r, bool grow) {
    std::vector<uint8_t> row(size_t(W + 2 * r), 1), across(size_t(W) * (H + 2 * r), 1);
    for (int y = 0; y < H; ++y) {
        std::copy(in.begin() + size_t(y) * W, in.begin() + size_t(y + 1) * W, row.begin() + r);
        SquarePass(row.data(), across.data() + size_t(y + r) * W, r, 1, grow);
    }
    LineMask out = PageMask();
    for (int y = 0; y < H; ++y)
        SquarePass(across.data() + size_t(y) * W, out.data() + size_t(y) * W, r, W, grow);
    return out;
}

// The points strictly between a and b on the straight 8-connected line from one to the other.
template <typename Visit> void Between(Point a, Point b, Visit visit) {
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy, x = a.x, y = a.y;
    for (;;) {
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x += sx;
        if (e2 <= dx)
            err += dx, y += sy;
        if (x == b.x && y == b.y)
            return;
        visit(x, y);
    }
}

// What the leak search shares between groups.
struct LeakSearch {
    const LineMask& mask;
    const std::vector<int32_t>& area;  // per pixel: its area, or -1
    const std::vector<int32_t>& group; // per pixel: its group of closed-away pixels, or -1
    const std::vector<uint8_t>& joins; // per group: it touches two areas
};

// Whether, with extra line on the shut pixels (per pixel of the box: a trial bridge), no
// 4-connected piece of open pixels inside the box holds two areas, the passages of other leaks
// counting as shut. The search shuts the pixels it has been to.
bool Parts(const LeakSearch& s, int32_t own, const PixelBox& box, std::vector<uint8_t> shut) {
    const int bw = box.right - box.left + 1;
    std::vector<int32_t> pending;
    auto open = [&](int x, int y) {
        const size_t i = size_t(y) * W + x;
        const int32_t g = s.group[i];
        return !s.mask[i] && !shut[size_t(y - box.top) * bw + x - box.left] &&
               !(g >= 0 && g != own && s.joins[g]);
    };
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x) {
            if (!open(x, y))
                continue;
            int32_t found = -1;
            pending.assign(1, int32_t((y - box.top) * bw + x - box.left));
            shut[size_t(pending[0])] = 1;
            while (!pending.empty()) {
                const int32_t p = pending.back(), px = p % bw + box.left, py = p / bw + box.top;
                pending.pop_back();
                const int32_t a = s.area[size_t(py) * W + px];
                if (a >= 0) {
                    if (found >= 0 && found != a)
                        return false;
                    found = a;
                }
                const Point next[4] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
                for (const Point& q : next) {
                    if (q.x < box.left || q.y < box.top || q.x > box.right || q.y > box.bottom ||
                        !open(q.x, q.y))
                        continue;
                    const int32_t k = (q.y - box.top) * bw + q.x - box.left;
                    shut[size_t(k)] = 1;
                    pending.push_back(k);
                }
            }
        }
    return true;
}

// The shortest bridge across group g (its pixels and box given): put on bridge; false when none
// of at most gapWidth open pixels parts the areas.
bool FindBridge(const LeakSearch& s, int32_t g, const std::vector<int32_t>& pixels,
                const PixelBox& gb, int gapWidth, std::vector<uint8_t>& bridge) {
    std::vector<Point> ends; // line pixels, the edge ring included, next to the group, each once
    std::set<std::pair<int, int>> seen;
    for (int32_t p : pixels)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const int x = p % W + dx, y = p / W + dy;
                if (LineAt(s.mask, x, y) && seen.insert({x, y}).second)
                    ends.push_back({x, y});
            }
    if (ends.size() > 3000)
        return false;
    struct Candidate {
        int length, square;
        Point a, b;
    };
    std::vector<Candidate> candidates;
    for (size_t i = 0; i < ends.size(); ++i)
        for (size_t j = i + 1; j < ends.size(); ++j) {
            const Point a = ends[i], b = ends[j];
            const int dx = std::abs(a.x - b.x), dy = std::abs(a.y - b.y);
            const int length = std::max(dx, dy);
            if (length < 2 || length > gapWidth + 1)
                continue;
            bool clear = true, crosses = false;
            Between(a, b, [&](int x, int y) {
                if (x < 0 || y < 0 || x >= W || y >= H)
                    return;
                clear = clear && !s.mask[size_t(y) * W + x];
                crosses = crosses || s.group[size_t(y) * W + x] == g;
            });
            if (clear && crosses)
                candidates.push_back({length, dx * dx + dy * dy, a, b});
        }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& l, const Candidate& r) {
        return l.length != r.length ? l.length < r.length : l.square < r.square;
    });
    const int grow = gapWidth + 2;
    const PixelBox box{std::max(0, gb.left - grow), std::max(0, gb.top - grow),
                       std::min(W - 1, gb.right + grow), std::min(H - 1, gb.bottom + grow)};
    const int bw = box.right - box.left + 1;
    for (size_t c = 0; c < candidates.size() && c < 48; ++c) {
        std::vector<uint8_t> trial(size_t(bw) * (box.bottom - box.top + 1));
        auto mark = [&](int x, int y, auto&& put) {
            if (x >= box.left && y >= box.top && x <= box.right && y <= box.bottom)
                put(x, y);
        };
        Between(candidates[c].a, candidates[c].b, [&](int x, int y) {
            mark(x, y,
                 [&](int px, int py) { trial[size_t(py - box.top) * bw + px - box.left] = 1; });
        });
        if (Parts(s, g, box, std::move(trial))) {
            Between(candidates[c].a, candidates[c].b, [&](int x, int y) {
                mark(x, y, [&](int px, int py) { bridge[size_t(py) * W + px] = 1; });
            });
            return true;
        }
    }
    return false;
}

// The leaks of passages up to width pixels wide that closing with a square of side 2r + 1 finds
// on the lines, added to the check.
void FindLeaks(const LineMask& mask, int r, int width, PageCheck& check) {
    const size_t n = mask.size();
    std::vector<PixelBox> boxes;
    const auto notLine = [](uint8_t v) { return uint8_t(!v); };
    std::vector<uint8_t> open(n), closedOpen(n);
    std::transform(mask.begin(), mask.end(), open.begin(), notLine);
    // The areas left once every passage of up to 2r pixels is shut.
    const LineMask closed = Square(Square(mask, r, true), r, false);
    std::transform(closed.begin(), closed.end(), closedOpen.begin(), notLine);
    std::vector<int32_t> part, partSize;
    LabelGroups(Mask(W, H, std::move(closedOpen)), false, part, partSize, boxes);
    std::vector<int32_t> area(n);
    for (size_t i = 0; i < n; ++i)
        area[i] = part[i] >= 0 && partSize[part[i]] >= TinyRegionPixels ? part[i] : -1;

    // The open pixels outside those areas, in groups; a group touching two areas joins them.
    std::vector<uint8_t> rest(n);
    for (size_t i = 0; i < n; ++i)
        rest[i] = open[i] && area[i] < 0;
    std::vector<int32_t> group, groupSize;
    LabelGroups(Mask(W, H, std::move(rest)), false, group, groupSize, boxes);
    std::vector<int32_t> touched(groupSize.size(), -1);
    std::vector<uint8_t> joins(groupSize.size(), 0);
    for (size_t i = 0; i < n; ++i) {
        const int32_t g = group[i];
        if (g < 0)
            continue;
        const int x = int(i % W), y = int(i / W);
        // Above the top row is below 0, so left out with the other neighbours off the page.
        const long next[4] = {long(i) - W, y < H - 1 ? long(i) + W : -1, x > 0 ? long(i) - 1 : -1,
                              x < W - 1 ? long(i) + 1 : -1};
        for (long j : next) {
            const int32_t a = j >= 0 ? area[size_t(j)] : -1;
            if (a < 0)
                continue;
            if (touched[g] < 0)
                touched[g] = a;
            else if (touched[g] != a)
                joins[g] = 1;
        }
    }
    // Each joining group's pixels, for its bridge.
    std::vector<int32_t> first(groupSize.size() + 1, 0), pixels;
    for (size_t g = 0; g < groupSize.size(); ++g)
        first[g + 1] = first[g] + (joins[g] ? groupSize[g] : 0);
    pixels.resize(size_t(first.back()));
    std::vector<int32_t> fill(first.begin(), first.end() - 1);
    for (size_t i = 0; i < n; ++i)
        if (group[i] >= 0 && joins[group[i]])
            pixels[size_t(fill[group[i]]++)] = int32_t(i);

    const LeakSearch search{mask, area, group, joins};
    const bool exact = 2 * r == width;
    for (size_t g = 0; g < joins.size(); ++g) {
        if (!joins[g])
            continue;
        const std::vector<int32_t> own(pixels.begin() + first[g], pixels.begin() + first[g + 1]);
        const bool bridged = FindBridge(search, int32_t(g), own, boxes[g], width, check.bridge);
        if (!bridged && !exact)
            continue;
        for (int32_t p : own) {
            check.gap[size_t(p)] = 1;
            if (!bridged)
                check.bridge[size_t(p)] = 1;
        }
        check.leaks.push_back(boxes[g]);
    }
}

} // namespace

void FindRegions(const LineMask& mask, PageCheck& check) {
    const size_t n = mask.size();
    std::vector<uint8_t> open(n);
    for (size_t i = 0; i < n; ++i)
        open[i] = !mask[i];
    std::vector<PixelBox> boxes;
    LabelGroups(Mask(W, H, std::move(open)), false, check.region, check.size, boxes);
    check.tiny.clear();
    int32_t largest = 0;
    for (size_t r = 0; r < boxes.size(); ++r) {
        largest = std::max(largest, check.size[r]);
        if (check.size[r] < TinyRegionPixels)
            check.tiny.push_back(boxes[r]);
    }
    check.largestShare = int((int64_t(largest) * 100 + n / 2) / int64_t(std::max<size_t>(n, 1)));
}

void CheckPage(const LineMask& mask, int gapWidth, PageCheck& check) {
    gapWidth = std::clamp(gapWidth, 1, MaxGapWidth);
    const size_t n = mask.size();
    FindRegions(mask, check);
    // Narrow passages first: each width's bridges shut their passages before wider ones are looked
    // for, so that no leak is counted twice and none between small areas is missed.
    check.bridge.assign(n, 0);
    check.gap.assign(n, 0);
    check.leaks.clear();
    LineMask shut = mask;
    for (int r = 1; 2 * r - 1 <= gapWidth; ++r) {
        FindLeaks(shut, r, std::min(gapWidth, 2 * r), check);
        for (size_t i = 0; i < n; ++i)
            shut[i] |= check.bridge[i];
    }
}

void CloseGaps(LineMask& mask, const PageCheck& check) {
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] |= check.gap[i];
}

void BridgeGaps(LineMask& mask, const PageCheck& check) {
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] |= check.bridge[i];
}

void FillTinyPockets(LineMask& mask, const PageCheck& check, int floor) {
    for (size_t i = 0; i < mask.size(); ++i)
        if (check.region[i] >= 0 && check.size[check.region[i]] < floor)
            mask[i] = 1;
}

void CleanSpecks(LineMask& mask) {
    std::vector<int32_t> label, size;
    std::vector<PixelBox> boxes;
    LabelGroups(mask, true, label, size, boxes);
    for (size_t i = 0; i < mask.size(); ++i)
        if (label[i] >= 0 && size[label[i]] < SpeckPixels)
            mask[i] = 0;
}
