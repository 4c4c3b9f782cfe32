// A photo cut into parts by colour (a graph of neighbouring pixels joined cheapest edge first),
// the parts joined down to the areas a detail asks for, the areas' borders smoothed and outlined.
#include "image/Segment.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <queue>

#include "image/PageCheck.h"
#include "page/PageFormat.h"

namespace {

// The smallest part kept when the photo is cut, and the smallest area before it is outlined: an
// outline takes about a pixel of every border pixel, and what is left must reach PhotoAreaFloor.
constexpr int SmallestPart = 24, SmallestArea = 160;

int Root(std::vector<int32_t>& parent, int32_t i) {
    while (parent[i] != i)
        i = parent[i] = parent[parent[i]];
    return i;
}

// A box blur of radius r across and down, the edges repeated.
void Blur(std::vector<float>& v, int w, int h, int r) {
    std::vector<float> t(v.size());
    for (int pass = 0; pass < 2; ++pass) {
        const bool down = pass == 1;
        const int n = down ? h : w, lines = down ? w : h;
        for (int line = 0; line < lines; ++line) {
            const auto at = [&](int i) {
                i = std::clamp(i, 0, n - 1);
                return down ? size_t(i) * w + line : size_t(line) * w + i;
            };
            float sum = 0;
            for (int i = -r; i <= r; ++i)
                sum += v[at(i)];
            for (int i = 0; i < n; ++i) {
                t[at(i)] = sum / float(2 * r + 1);
                sum += v[at(i + r + 1)] - v[at(i - r)];
            }
        }
        v.swap(t);
    }
}

} // namespace

void SplitPhoto(const RgbImage& photo, PhotoParts& out) {
    out = PhotoParts();
    if (photo.Empty())
        return;
    const PageFit fit = FitOnPage(photo.width, photo.height, PageMargin);
    out.fit = fit;
    const RgbImage small = ScaleByArea(photo, fit.width, fit.height);
    const int w = fit.width, h = fit.height;
    const size_t n = size_t(w) * h;
    // Lightness and two opposing hues (red against green, yellow against blue), lightly smoothed.
    std::vector<float> l(n), a(n), b(n);
    for (size_t i = 0; i < n; ++i) {
        const float r = small.rgb[i * 3], g = small.rgb[i * 3 + 1], bl = small.rgb[i * 3 + 2];
        l[i] = 0.299f * r + 0.587f * g + 0.114f * bl;
        a[i] = 0.8f * (r - g);
        b[i] = 0.6f * (0.5f * (r + g) - bl);
    }
    for (auto* v : {&l, &a, &b})
        Blur(*v, w, h, 2);
    // Sharpness: how fast the lightness changes, spread over its neighbourhood, as a share of the
    // photo's sharpest tenth; nearness to the middle: 1 there, 0 at the edges.
    std::vector<float> sharp(n);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            sharp[i] = std::abs(l[y * w + std::min(x + 1, w - 1)] - l[i]) +
                       std::abs(l[size_t(std::min(y + 1, h - 1)) * w + x] - l[i]);
        }
    Blur(sharp, w, h, std::max(2, std::max(w, h) / 60));
    std::vector<float> sorted(sharp);
    std::nth_element(sorted.begin(), sorted.begin() + n * 9 / 10, sorted.end());
    const float sharpest = std::max(sorted[n * 9 / 10], 1.0f);

    // The pixels joined along their cheapest edges first: two parts join when the edge is no more
    // different than the inside of either, plus an allowance that shrinks as the part grows.
    struct Edge {
        int32_t p, q;
    };
    constexpr int Buckets = 1024;
    std::vector<Edge> edges;
    edges.reserve(2 * n);
    std::vector<uint16_t> cost;
    cost.reserve(2 * n);
    auto add = [&](size_t p, size_t q) {
        const float dl = l[p] - l[q], da = a[p] - a[q], db = b[p] - b[q];
        edges.push_back({int32_t(p), int32_t(q)});
        cost.push_back(
            uint16_t(std::min(Buckets - 1.0f, 4 * std::sqrt(dl * dl + da * da + db * db))));
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            if (x + 1 < w)
                add(i, i + 1);
            if (y + 1 < h)
                add(i, i + w);
        }
    std::vector<int32_t> start(Buckets + 1, 0), order(edges.size());
    for (uint16_t c : cost)
        ++start[c + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    for (size_t e = 0; e < edges.size(); ++e)
        order[size_t(start[cost[e]]++)] = int32_t(e);
    std::vector<int32_t> parent(n), size(n, 1);
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<float> inside(n, 0.0f);
    constexpr float Allowance = 300.0f; // in cost units (4 a colour step) times pixels
    for (int32_t e : order) {
        const int32_t p = Root(parent, edges[e].p), q = Root(parent, edges[e].q);
        const float c = cost[e];
        if (p != q &&
            c <= std::min(inside[p] + Allowance / size[p], inside[q] + Allowance / size[q])) {
            const int32_t big = size[p] >= size[q] ? p : q, other = big == p ? q : p;
            parent[other] = big;
            size[big] += size[other];
            inside[big] = c;
        }
    }
    for (int32_t e : order) { // parts too small join their cheapest neighbour
        const int32_t p = Root(parent, edges[e].p), q = Root(parent, edges[e].q);
        if (p != q && (size[p] < SmallestPart || size[q] < SmallestPart)) {
            const int32_t big = size[p] >= size[q] ? p : q, other = big == p ? q : p;
            parent[other] = big;
            size[big] += size[other];
        }
    }
    // Numbered parts, their sums and neighbours.
    std::vector<int32_t> number(n, -1);
    out.part.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const int32_t r = Root(parent, int32_t(i));
        if (number[r] < 0) {
            number[r] = int32_t(out.parts.size());
            out.parts.emplace_back();
        }
        out.part[i] = number[r];
        PhotoParts::Part& part = out.parts[number[r]];
        const int x = int(i % w), y = int(i / w);
        const float dx = std::abs(2.0f * x / w - 1), dy = std::abs(2.0f * y / h - 1);
        const float middle = std::max(0.0f, 1 - std::sqrt(dx * dx + dy * dy) / 1.4142f);
        part.l += l[i], part.a += a[i], part.b += b[i], ++part.pixels;
        part.interest += std::min(1.0f, sharp[i] / sharpest) + middle / 2;
    }
    out.next.assign(out.parts.size(), {});
    for (const Edge& e : edges) {
        const int32_t p = out.part[e.p], q = out.part[e.q];
        if (p != q) {
            out.next[p].push_back(q);
            out.next[q].push_back(p);
        }
    }
    for (auto& list : out.next) {
        std::sort(list.begin(), list.end());
        list.erase(std::unique(list.begin(), list.end()), list.end());
    }
}

int AreasForDetail(int detail) {
    static const int areas[DetailSteps] = {16, 24, 34, 46, 60};
    return areas[std::clamp(detail, 1, DetailSteps) - 1];
}

namespace {

using Part = PhotoParts::Part;

// What joining two parts costs: how different their colours are, weighted by their sizes, and
// more for parts of the subject (sharp and near the middle) than of the background.
double JoinCost(const Part& p, const Part& q) {
    const double np = double(p.pixels), nq = double(q.pixels);
    const double dl = p.l / np - q.l / nq, da = p.a / np - q.a / nq, db = p.b / np - q.b / nq;
    const double interest = (p.interest + q.interest) / (np + nq); // 0 to 1.5
    const double weight = 0.1 + interest * interest;
    // Size counts less than in a plain least-squares join (power 0.6, not 1), so that the wide
    // bands of a sky's gradient join before a small part of the subject does.
    return std::pow(np * nq / (np + nq), 0.6) * (dl * dl + da * da + db * db) * weight;
}

// The areas of the fitted photo, numbered from 0, joined down to target and to SmallestArea.
std::vector<int32_t> JoinParts(const PhotoParts& in, int target) {
    std::vector<Part> parts = in.parts;
    std::vector<std::vector<int32_t>> next = in.next;
    const int32_t count = int32_t(parts.size());
    std::vector<int32_t> parent(static_cast<size_t>(count)), stamp(static_cast<size_t>(count), 0);
    std::iota(parent.begin(), parent.end(), 0);
    struct Join {
        double cost;
        int32_t p, q, sp, sq;
        bool operator<(const Join& o) const { return cost > o.cost; }
    };
    std::priority_queue<Join> heap;
    auto offer = [&](int32_t p, int32_t above) {
        for (int32_t q : next[p])
            if (q > above)
                heap.push({JoinCost(parts[p], parts[q]), p, q, stamp[p], stamp[q]});
    };
    for (int32_t p = 0; p < count; ++p)
        offer(p, p); // each pair once
    int32_t alive = count;
    auto join = [&](int32_t p, int32_t q) {
        if (parts[p].pixels < parts[q].pixels)
            std::swap(p, q);
        parent[q] = p;
        Part& a = parts[p];
        const Part& b = parts[q];
        a.l += b.l, a.a += b.a, a.b += b.b, a.interest += b.interest, a.pixels += b.pixels;
        std::vector<int32_t> both;
        for (int32_t r : next[p])
            both.push_back(Root(parent, r));
        for (int32_t r : next[q])
            both.push_back(Root(parent, r));
        std::sort(both.begin(), both.end());
        both.erase(std::unique(both.begin(), both.end()), both.end());
        both.erase(std::remove(both.begin(), both.end(), p), both.end());
        next[p].swap(both);
        next[q].clear();
        ++stamp[p];
        --alive;
        offer(p, -1);
    };
    // The cheapest joins while there are too many areas; then any area still too small joins.
    while (!heap.empty()) {
        const Join j = heap.top();
        heap.pop();
        if (parent[j.p] != j.p || parent[j.q] != j.q || stamp[j.p] != j.sp || stamp[j.q] != j.sq)
            continue;
        if (alive > target || std::min(parts[j.p].pixels, parts[j.q].pixels) < SmallestArea)
            join(j.p, j.q);
    }
    std::vector<int32_t> number(size_t(count), -1), area(in.part.size());
    int32_t areas = 0;
    for (size_t i = 0; i < area.size(); ++i) {
        const int32_t r = Root(parent, in.part[i]);
        if (number[r] < 0)
            number[r] = areas++;
        area[i] = number[r];
    }
    return area;
}

// Each pixel takes the area most common in the 5 x 5 square round it (its own on a tie): borders
// lose their steps and corners, and threads of an area a pixel or two wide go.
void Smooth(std::vector<int32_t>& area, int w, int h) {
    std::vector<int32_t> out(area.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int32_t seen[25], times[25];
            int kinds = 0;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= w || sy >= h)
                        continue;
                    const int32_t v = area[size_t(sy) * w + sx];
                    int k = 0;
                    while (k < kinds && seen[k] != v)
                        ++k;
                    if (k == kinds)
                        seen[kinds] = v, times[kinds++] = 0;
                    ++times[k];
                }
            const int32_t own = area[size_t(y) * w + x];
            int32_t best = own, most = 0;
            for (int k = 0; k < kinds; ++k)
                if (seen[k] == own)
                    most = times[k];
            for (int k = 0; k < kinds; ++k)
                if (times[k] > most)
                    best = seen[k], most = times[k];
            out[size_t(y) * w + x] = best;
        }
    area.swap(out);
}

// Every connected piece of an area smaller than SmallestArea (smoothing can leave some) given to
// the neighbouring piece it shares most border with, until none is left.
void JoinSmallPieces(std::vector<int32_t>& area, int w, int h) {
    for (int round = 0; round < 8; ++round) {
        std::vector<int32_t> piece(area.size(), -1), size;
        std::vector<int32_t> stack;
        for (size_t s = 0; s < area.size(); ++s) {
            if (piece[s] >= 0)
                continue;
            const int32_t id = int32_t(size.size());
            size.push_back(0);
            piece[s] = id;
            stack.assign(1, int32_t(s));
            while (!stack.empty()) {
                const int32_t p = stack.back();
                stack.pop_back();
                ++size[id];
                const int x = p % w, y = p / w;
                const int32_t near[4] = {x > 0 ? p - 1 : -1, x + 1 < w ? p + 1 : -1,
                                         y > 0 ? p - w : -1, y + 1 < h ? p + w : -1};
                for (int32_t q : near)
                    if (q >= 0 && piece[q] < 0 && area[q] == area[p]) {
                        piece[q] = id;
                        stack.push_back(q);
                    }
            }
        }
        // Per piece its border's length, and per small piece its border with each neighbour. A
        // piece is small when under SmallestArea or a thin strip (under four pixels wide on
        // average: its size under twice its border's length).
        std::vector<int32_t> edge(size.size(), 0);
        for (size_t p = 0; p < area.size(); ++p) {
            const int x = int(p % w), y = int(p / w);
            edge[piece[p]] +=
                (x + 1 < w && piece[p + 1] != piece[p]) + (x > 0 && piece[p - 1] != piece[p]) +
                (y + 1 < h && piece[p + w] != piece[p]) + (y > 0 && piece[p - w] != piece[p]);
        }
        const auto small = [&](int32_t s) {
            return size[s] < SmallestArea || (size[s] < 6000 && 2 * size[s] < 7 * edge[s]);
        };
        std::vector<std::vector<std::pair<int32_t, int32_t>>> border(size.size());
        for (size_t p = 0; p < area.size(); ++p) {
            const int x = int(p % w), y = int(p / w);
            const size_t near[2] = {x + 1 < w ? p + 1 : p, y + 1 < h ? p + w : p};
            for (size_t q : near) {
                const int32_t a = piece[p], b = piece[q];
                if (a == b)
                    continue;
                for (auto [from, to] : {std::pair(a, b), std::pair(b, a)}) {
                    if (!small(from))
                        continue;
                    auto& list = border[from];
                    auto it = std::find_if(list.begin(), list.end(),
                                           [&](const auto& e) { return e.first == to; });
                    if (it == list.end())
                        list.push_back({to, 1});
                    else
                        ++it->second;
                }
            }
        }
        std::vector<int32_t> into(size.size(), -1), value(size.size(), -1);
        for (size_t p = 0; p < area.size(); ++p)
            value[piece[p]] = area[p];
        for (size_t s = 0; s < size.size(); ++s)
            if (!border[s].empty())
                into[s] = std::max_element(
                              border[s].begin(), border[s].end(),
                              [](const auto& x, const auto& y) { return x.second < y.second; })
                              ->first;
        // A piece goes into a larger one (or as large and later), so that two never swap.
        bool changed = false;
        for (size_t p = 0; p < area.size(); ++p) {
            const int32_t s = piece[p], t = into[s];
            if (t >= 0 && (!small(t) || size[s] < size[t] || (size[s] == size[t] && s < t))) {
                area[p] = value[t];
                changed = true;
            }
        }
        if (!changed)
            return;
    }
}

} // namespace

LineMask PhotoPage(const PhotoParts& parts, int detail, int gapWidth) {
    LineMask mask = PageMask();
    const PageFit& f = parts.fit;
    const int w = f.width, h = f.height;
    if (parts.parts.empty())
        return mask;
    std::vector<int32_t> area = JoinParts(parts, AreasForDetail(detail));
    for (int pass = 0; pass < 3; ++pass)
        Smooth(area, w, h);
    JoinSmallPieces(area, w, h);
    // A line on the fitted photo's frame and where an area meets the next one to its right or
    // below; thickened right and down, each comes out two pixels wide across the border.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            const bool edge = !x || !y || x == w - 1 || y == h - 1;
            if (edge || area[i] != area[i + 1] || area[i] != area[i + w])
                mask[size_t(f.top + y) * StdPageWidth + f.left + x] = 1;
        }
    ThickenLines(mask, 1);
    // By construction no area leaks; the check bridges any narrow neck a border left and fills a
    // pocket too small to hit, or a sliver left between two lines that run close (under four
    // pixels wide on average: fewer pixels than twice its border with the lines), going round as
    // a bridge can leave one.
    PageCheck check;
    for (int round = 0; round < 3; ++round) {
        CheckPage(mask, gapWidth, check);
        std::vector<int32_t> border(check.size.size(), 0);
        for (size_t i = StdPageWidth; i + StdPageWidth < mask.size(); ++i)
            if (check.region[i] >= 0)
                border[size_t(check.region[i])] +=
                    mask[i - 1] + mask[i + 1] + mask[i - StdPageWidth] + mask[i + StdPageWidth];
        bool clean = check.leaks.empty();
        for (size_t r = 0; r < border.size(); ++r)
            if (check.size[r] < PhotoAreaFloor || check.size[r] < 2 * border[r])
                check.size[r] = 0, clean = false; // filled below
        if (clean)
            break;
        BridgeGaps(mask, check);
        FillTinyPockets(mask, check, PhotoAreaFloor);
    }
    return mask;
}
