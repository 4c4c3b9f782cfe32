// A photo cut into small compact parts of like colour that follow its edges, the parts joined
// where the border between them is weakest down to the areas a detail asks for, the areas' borders
// smoothed, and outlined.
#include "image/Segment.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <queue>

#include "image/PageCheck.h"
#include "page/PageFormat.h"

namespace {

// The smallest area before it is outlined: an outline takes about a pixel of every border pixel,
// and what is left must reach PhotoAreaFloor.
constexpr int SmallestArea = 160;
// The grid the parts start on (page pixels), and how much nearness counts against colour in them:
// enough to keep them compact, little enough that their sides follow the photo's edges.
constexpr int PartStep = 11;
constexpr float Compactness = 8.0f;
// The edge's strength is the colour's change over two pixels of a smoothed photo: about half the
// step of a sharp edge, so twice it compares with a step between mean colours.
constexpr double EdgeScale = 2.0;

// The weights of a part's interest and of a join's cost: found by eye on a working set of photos
// (art/photos/photo-set.sh makes its contact sheet), so judged there, not restated in a test.
struct Weights {
    double sharp, middle, rare; // a part's interest: its sharpness, nearness, rarity (sum 1)
    double mottle;              // a colour spread inside an area that halves a step to it
    double slope;               // how much an area's own slope takes from an edge along it
    double plain;               // the cost's weight for an area of no interest (1 at most)
    double size;                // the power of the smaller area's size in the cost
    double ground, outline;     // a join's cost in the background, and across the subject's outline
    // The subject's guess: its weight off the middle and out of focus (1 at most); how strongly an
    // edge parts two neighbours; against the colour's distance, the first guess's pull and the
    // neighbours'; the share of the path's distance from the frame in the guess (the rest is the
    // colour's), and the step between neighbours that a slow change makes at no cost.
    double lone, unfocused, apart, prior, tie, path, slow;
    double distinct; // the least mean distance of the subject's colours from the background's
    // Inside the subject, a border that is neither a step of colour nor an edge of this much is
    // joined past the areas aimed at, down to this share of them: a texture's patches (fur, seeds)
    // split the subject into a crazy paving that hides its shape.
    double faint, fewest;
};
constexpr Weights Tuned[] = {
    {0.25, 0.25, 0.5, 5, 2.5, 0.05, 0.25, 0.4, 30, 0.4, 0.5, 10, 20, 20, 0.5, 5, 5, 10, 0.6},
};
constexpr const Weights& W = Tuned[0];

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

// Colours as the eye tells them apart: lightness 0 to 100 and two opposing hues, so that a step of
// one is about as visible anywhere.
void ToLab(const RgbImage& image, std::vector<float> (&lab)[3]) {
    float linear[256];
    for (int v = 0; v != 256; ++v) {
        const float c = v / 255.0f;
        linear[v] = c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
    }
    const auto f = [](float t) { return t > 0.008856f ? std::cbrt(t) : 7.787f * t + 16.0f / 116; };
    const size_t n = size_t(image.width) * image.height;
    for (auto& c : lab)
        c.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const float r = linear[image.rgb[i * 3]], g = linear[image.rgb[i * 3 + 1]],
                    b = linear[image.rgb[i * 3 + 2]];
        const float x = f((0.4124f * r + 0.3576f * g + 0.1805f * b) / 0.95047f),
                    y = f(0.2126f * r + 0.7152f * g + 0.0722f * b),
                    z = f((0.0193f * r + 0.1192f * g + 0.9505f * b) / 1.08883f);
        lab[0][i] = 116 * y - 16, lab[1][i] = 500 * (x - y), lab[2][i] = 200 * (y - z);
    }
}

// How fast the colour changes across each pixel: its change over the two pixels round it, across
// and down.
std::vector<float> Gradient(const std::vector<float> (&lab)[3], int w, int h) {
    std::vector<float> grad(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t row = size_t(y) * w, l = row + std::max(x - 1, 0),
                         r = row + std::min(x + 1, w - 1), u = size_t(std::max(y - 1, 0)) * w + x,
                         d = size_t(std::min(y + 1, h - 1)) * w + x;
            float sum = 0;
            for (const auto& c : lab)
                sum += (c[r] - c[l]) * (c[r] - c[l]) + (c[d] - c[u]) * (c[d] - c[u]);
            grad[row + x] = std::sqrt(sum);
        }
    return grad;
}

// Compact parts of like colour: centres on a grid of step pixels, each pixel given to the nearest
// centre within a step by colour and place, the centres moved to their pixels' mean, a few times
// over; then every piece of a part that came apart too small to stand joined to the piece before
// it. Parts numbered from 0.
std::vector<int32_t> Superpixels(const std::vector<float> (&lab)[3], const std::vector<float>& grad,
                                 int w, int h, int step) {
    struct Centre {
        float l, a, b, x, y;
    };
    std::vector<Centre> centres;
    for (int gy = step / 2; gy < h; gy += step)
        for (int gx = step / 2; gx < w; gx += step) {
            int best = gy * w + gx; // started where the photo is smoothest nearby, off an edge
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = std::clamp(gx + dx, 0, w - 1), y = std::clamp(gy + dy, 0, h - 1);
                    if (grad[size_t(y) * w + x] < grad[size_t(best)])
                        best = y * w + x;
                }
            centres.push_back({lab[0][size_t(best)], lab[1][size_t(best)], lab[2][size_t(best)],
                               float(best % w), float(best / w)});
        }
    const size_t n = size_t(w) * h;
    std::vector<int32_t> label(n, 0);
    std::vector<float> dist(n);
    const float place = Compactness * Compactness / float(step * step);
    for (int round = 0; round < 5; ++round) {
        std::fill(dist.begin(), dist.end(), 1e30f);
        for (size_t k = 0; k < centres.size(); ++k) {
            const Centre& c = centres[k];
            const int x0 = std::max(0, int(c.x) - step), x1 = std::min(w - 1, int(c.x) + step);
            const int y0 = std::max(0, int(c.y) - step), y1 = std::min(h - 1, int(c.y) + step);
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    const size_t i = size_t(y) * w + x;
                    const float dl = lab[0][i] - c.l, da = lab[1][i] - c.a, db = lab[2][i] - c.b,
                                dx = x - c.x, dy = y - c.y;
                    const float d = dl * dl + da * da + db * db + place * (dx * dx + dy * dy);
                    if (d < dist[i])
                        dist[i] = d, label[i] = int32_t(k);
                }
        }
        std::vector<double> sum(centres.size() * 6, 0.0);
        for (size_t i = 0; i < n; ++i) {
            double* s = &sum[size_t(label[i]) * 6];
            s[0] += lab[0][i], s[1] += lab[1][i], s[2] += lab[2][i];
            s[3] += double(i % w), s[4] += double(i / w), s[5] += 1;
        }
        for (size_t k = 0; k < centres.size(); ++k) {
            const double* s = &sum[k * 6];
            if (s[5] > 0)
                centres[k] = {float(s[0] / s[5]), float(s[1] / s[5]), float(s[2] / s[5]),
                              float(s[3] / s[5]), float(s[4] / s[5])};
        }
    }
    // Each 4-connected piece numbered; one under a quarter of a grid cell takes the number of the
    // piece left of or above its first pixel.
    std::vector<int32_t> part(n, -1), piece;
    int32_t parts = 0;
    for (size_t s = 0; s < n; ++s) {
        if (part[s] >= 0)
            continue;
        const int32_t before = s % w ? part[s - 1] : s >= size_t(w) ? part[s - w] : -1;
        piece.assign(1, int32_t(s));
        part[s] = parts;
        for (size_t k = 0; k < piece.size(); ++k) {
            const int32_t p = piece[k];
            const int x = p % w, y = p / w;
            const int32_t near[4] = {x > 0 ? p - 1 : -1, x + 1 < w ? p + 1 : -1, y > 0 ? p - w : -1,
                                     y + 1 < h ? p + w : -1};
            for (int32_t q : near)
                if (q >= 0 && part[q] < 0 && label[q] == label[p]) {
                    part[q] = parts;
                    piece.push_back(q);
                }
        }
        if (before >= 0 && int(piece.size()) * 4 < step * step)
            for (int32_t p : piece)
                part[p] = before;
        else
            ++parts;
    }
    return part;
}

// The photo's subject, as parts. A first guess: far from the frame's colours (from those along
// each side, the second nearest side counting, so that a subject may run off one side), and far
// from the frame along the dearest path of steps between neighbours (a slow change costs nothing;
// the third nearest side counts); more so near the middle and in focus. Parted in two where the
// guesses part best. Then, a few times over, each part goes with whichever of subject and
// background has parts nearer its colour, pulled towards its first guess and towards the side its
// neighbours are on along most of its border (less across an edge). Only the large pieces of
// subject are kept, and a hole in one is subject too. No subject is marked where what is left is
// too small or too large to be one thing on a plainer ground.
void MarkSubject(PhotoParts& out, const std::vector<uint8_t>& sides,
                 const std::vector<double>& sharp, const std::vector<double>& middle) {
    const size_t count = out.parts.size();
    std::vector<float> mean(count * 3);
    for (size_t p = 0; p < count; ++p) {
        const PhotoParts::Part& part = out.parts[p];
        const double n = double(part.pixels);
        mean[p * 3] = float(part.l / n), mean[p * 3 + 1] = float(part.a / n),
                 mean[p * 3 + 2] = float(part.b / n);
    }
    const auto apart = [&](size_t p, size_t q) {
        const float dl = mean[p * 3] - mean[q * 3], da = mean[p * 3 + 1] - mean[q * 3 + 1],
                    db = mean[p * 3 + 2] - mean[q * 3 + 2];
        return std::sqrt(dl * dl + da * da + db * db);
    };
    // The mean distance of the k parts of a set nearest in colour to p (p itself left out).
    constexpr int Near = 3;
    const auto nearest = [&](size_t p, const std::vector<int32_t>& set) {
        float best[Near] = {1e9f, 1e9f, 1e9f};
        for (const int32_t q : set)
            if (size_t(q) != p) {
                float d = apart(p, size_t(q));
                for (float& b : best)
                    if (d < b)
                        std::swap(d, b);
            }
        float sum = 0;
        int n = 0;
        for (const float b : best)
            if (b < 1e9f)
                sum += b, ++n;
        return n ? sum / float(n) : 0.0f;
    };
    std::vector<int32_t> side[4];
    for (size_t p = 0; p < count; ++p)
        for (int s = 0; s < 4; ++s)
            if (sides[p] >> s & 1)
                side[s].push_back(int32_t(p));
    std::vector<std::vector<std::pair<int32_t, double>>> next(count);
    for (const auto& b : out.borders) {
        const double tie = b.length / (1 + b.edge / b.length * EdgeScale / W.apart);
        next[size_t(b.p)].push_back({b.q, tie});
        next[size_t(b.q)].push_back({b.p, tie});
    }
    // How far each part is from the frame's colours: from the colours along each side, and along
    // the dearest path of steps between neighbouring parts from each side (a slow change costs
    // nothing); both scaled so that the far twentieth are 1.
    std::vector<double> colour(count), path(count);
    std::vector<double> reach[4];
    for (int s = 0; s < 4; ++s) {
        std::vector<double>& r = reach[s];
        r.assign(count, 1e18);
        std::priority_queue<std::pair<double, int32_t>> queue;
        for (const int32_t p : side[s])
            r[size_t(p)] = 0, queue.push({0.0, p});
        while (!queue.empty()) {
            const auto [d, p] = queue.top();
            queue.pop();
            if (-d > r[size_t(p)])
                continue;
            for (const auto& [q, tie] : next[size_t(p)]) {
                const double to =
                    r[size_t(p)] + std::max(0.0, apart(size_t(p), size_t(q)) - W.slow);
                if (to < r[size_t(q)])
                    r[size_t(q)] = to, queue.push({-to, q});
            }
        }
    }
    for (size_t p = 0; p < count; ++p) {
        float d[4];
        double g[4];
        for (int s = 0; s < 4; ++s)
            d[s] = nearest(p, side[s]), g[s] = reach[s][p];
        std::sort(d, d + 4), std::sort(g, g + 4);
        colour[p] = d[1], path[p] = g[2];
    }
    for (std::vector<double>* v : {&colour, &path}) {
        std::vector<double> sorted(*v);
        std::nth_element(sorted.begin(), sorted.begin() + count * 19 / 20, sorted.end());
        const double far = std::max(sorted[count * 19 / 20], 1.0);
        for (double& x : *v)
            x = std::min(1.0, x / far);
    }
    std::vector<double> guess(count);
    for (size_t p = 0; p < count; ++p)
        guess[p] = (W.path * path[p] + (1 - W.path) * colour[p]) *
                   (W.lone + (1 - W.lone) * middle[p]) *
                   (W.unfocused + (1 - W.unfocused) * sharp[p]);
    // The first guess: above the threshold that best parts the guesses in two (by their pixels).
    double best = -1, cut = 0.5;
    for (int t = 1; t < 20; ++t) {
        const double at = t / 20.0;
        double n[2] = {0, 0}, sum[2] = {0, 0};
        for (size_t p = 0; p < count; ++p) {
            const int k = guess[p] >= at;
            n[k] += double(out.parts[p].pixels), sum[k] += guess[p] * double(out.parts[p].pixels);
        }
        if (n[0] > 0 && n[1] > 0) {
            const double gap = sum[0] / n[0] - sum[1] / n[1], between = n[0] * n[1] * gap * gap;
            if (between > best)
                best = between, cut = at;
        }
    }
    std::vector<uint8_t> in(count);
    for (size_t p = 0; p < count; ++p)
        in[p] = guess[p] >= cut;
    for (int round = 0; round < 4; ++round) {
        // Each side's colours from an even sample of its parts, to bound the time.
        std::vector<int32_t> set[2];
        size_t of[2] = {0, 0};
        for (size_t p = 0; p < count; ++p)
            ++of[in[p]];
        for (size_t p = 0, seen[2] = {0, 0}; p < count; ++p)
            if (seen[in[p]]++ % (of[in[p]] / 400 + 1) == 0)
                set[in[p]].push_back(int32_t(p));
        if (set[0].empty() || set[1].empty())
            break;
        std::vector<uint8_t> now(in);
        for (size_t p = 0; p < count; ++p) {
            double pull[2] = {0, 0}, all = 1e-9;
            for (const auto& [q, tie] : next[p])
                pull[in[size_t(q)]] += tie, all += tie;
            const double cost0 = nearest(p, set[0]) + W.prior * guess[p] + W.tie * pull[1] / all,
                         cost1 =
                             nearest(p, set[1]) + W.prior * (1 - guess[p]) + W.tie * pull[0] / all;
            now[p] = cost1 < cost0;
        }
        in.swap(now);
    }
    // Pieces of subject and of background, through parts that touch.
    std::vector<int32_t> piece(count, -1), size, stack;
    std::vector<uint8_t> framed;
    for (size_t s = 0; s < count; ++s) {
        if (piece[s] >= 0)
            continue;
        const int32_t id = int32_t(size.size());
        size.push_back(0), framed.push_back(0);
        piece[s] = id, stack.assign(1, int32_t(s));
        while (!stack.empty()) {
            const int32_t p = stack.back();
            stack.pop_back();
            size[size_t(id)] += int32_t(out.parts[size_t(p)].pixels);
            framed[size_t(id)] |= sides[size_t(p)] != 0;
            for (const auto& [q, tie] : next[size_t(p)])
                if (piece[size_t(q)] < 0 && in[size_t(q)] == in[size_t(p)])
                    piece[size_t(q)] = id, stack.push_back(q);
        }
    }
    int32_t largest = 0;
    int64_t total = 0, subject = 0;
    for (size_t p = 0; p < count; ++p)
        if (in[p])
            largest = std::max(largest, size[size_t(piece[p])]);
    for (size_t p = 0; p < count; ++p) {
        const int32_t s = piece[p];
        in[p] = in[p] ? size[size_t(s)] * 4 >= largest : !framed[size_t(s)];
        total += out.parts[p].pixels, subject += in[p] ? out.parts[p].pixels : 0;
    }
    // Nor where the subject's colours are as common in the background (a pattern, a texture).
    std::vector<int32_t> ground;
    for (size_t p = 0; p < count; ++p)
        if (!in[p])
            ground.push_back(int32_t(p));
    double distinct = 0;
    for (size_t p = 0; p < count; ++p)
        if (in[p])
            distinct += nearest(p, ground) * double(out.parts[p].pixels);
    const bool found = subject * 50 >= total && subject * 5 <= total * 4 &&
                       distinct >= W.distinct * double(subject);
    for (size_t p = 0; p < count; ++p)
        out.parts[p].subject = found && in[p] ? out.parts[p].pixels : 0;
}

} // namespace

void SplitPhoto(const RgbImage& photo, PhotoParts& out) {
    out = PhotoParts();
    if (photo.Empty())
        return;
    const PageFit fit = FitOnPage(photo.width, photo.height, PageMargin);
    out.fit = fit;
    const int w = fit.width, h = fit.height;
    const size_t n = size_t(w) * h;
    std::vector<float> lab[3];
    ToLab(ScaleByArea(photo, w, h), lab);
    for (auto& c : lab) // a light smoothing, twice over, takes the grain and the JPEG's blocks
        Blur(c, w, h, 1), Blur(c, w, h, 1);
    // The edge's strength at each pixel, finely and on a coarser scale where a texture's grain
    // has gone and the edges of things are left.
    const std::vector<float> fine = Gradient(lab, w, h);
    std::vector<float> blurred[3] = {lab[0], lab[1], lab[2]};
    for (auto& c : blurred)
        Blur(c, w, h, 2), Blur(c, w, h, 2);
    const std::vector<float> coarse = Gradient(blurred, w, h);
    out.part = Superpixels(lab, fine, w, h, PartStep);
    out.colour.resize(n * 3);
    for (size_t i = 0; i < n; ++i)
        for (int c = 0; c < 3; ++c)
            out.colour[i * 3 + c] = lab[c][i];
    const int32_t count = *std::max_element(out.part.begin(), out.part.end()) + 1;
    out.parts.assign(size_t(count), {});
    std::vector<double> sharp(size_t(count), 0.0), cx(size_t(count), 0.0), cy(size_t(count), 0.0);
    std::vector<uint8_t> sides(size_t(count), 0);
    for (size_t i = 0; i < n; ++i) {
        const int32_t p = out.part[i];
        PhotoParts::Part& part = out.parts[size_t(p)];
        const float l = lab[0][i], a = lab[1][i], b = lab[2][i];
        part.l += l, part.a += a, part.b += b, part.squares += l * l + a * a + b * b;
        part.slope += coarse[i], ++part.pixels;
        const int x = int(i % w), y = int(i / w);
        sharp[size_t(p)] += fine[i], cx[size_t(p)] += x, cy[size_t(p)] += y;
        sides[size_t(p)] |= (!x) | (x == w - 1) << 1 | (!y) << 2 | (y == h - 1) << 3;
        part.outline += (!x || out.part[i - 1] != p) + (x == w - 1 || out.part[i + 1] != p) +
                        (!y || out.part[i - w] != p) + (y == h - 1 || out.part[i + w] != p);
    }
    // Each part's interest: sharp (in the photo's focus; as a share of the sharpest tenth of the
    // parts), near the middle, and of a colour rare in the photo (its mean difference from every
    // pixel's part, as a share of the rarest).
    std::vector<double> rarity(static_cast<size_t>(count), 0.0), middle(size_t(count), 0.0);
    for (int32_t p = 0; p < count; ++p) {
        const PhotoParts::Part& part = out.parts[size_t(p)];
        const double np = double(part.pixels);
        sharp[size_t(p)] /= np;
        for (const PhotoParts::Part& o : out.parts) {
            const double no = double(o.pixels), dl = part.l / np - o.l / no,
                         da = part.a / np - o.a / no, db = part.b / np - o.b / no;
            rarity[size_t(p)] += no * std::sqrt(dl * dl + da * da + db * db);
        }
    }
    std::vector<double> sorted(sharp);
    std::nth_element(sorted.begin(), sorted.begin() + count * 9 / 10, sorted.end());
    const double sharpest = std::max(sorted[size_t(count * 9 / 10)], 1.0);
    const double rarest = std::max(1.0, *std::max_element(rarity.begin(), rarity.end()));
    for (int32_t p = 0; p < count; ++p) {
        PhotoParts::Part& part = out.parts[size_t(p)];
        const double np = double(part.pixels);
        const double dx = 2 * cx[size_t(p)] / np / w - 1, dy = 2 * cy[size_t(p)] / np / h - 1;
        middle[size_t(p)] = std::max(0.0, 1 - std::sqrt(dx * dx + dy * dy) / std::sqrt(2.0));
        sharp[size_t(p)] = std::min(1.0, sharp[size_t(p)] / sharpest);
        part.interest = np * (W.sharp * sharp[size_t(p)] + W.middle * middle[size_t(p)] +
                              W.rare * rarity[size_t(p)] / rarest);
    }
    // The borders: per pair of parts, the pixel pairs across it and the edge's strength there.
    std::vector<std::pair<int64_t, float>> across;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            for (const size_t j : {x + 1 < w ? i + 1 : i, y + 1 < h ? i + w : i}) {
                const int32_t p = out.part[i], q = out.part[j];
                if (p != q)
                    across.push_back({int64_t(std::min(p, q)) * count + std::max(p, q),
                                      (coarse[i] + coarse[j]) / 2});
            }
        }
    std::sort(across.begin(), across.end());
    for (const auto& [key, edge] : across) {
        const int32_t p = int32_t(key / count), q = int32_t(key % count);
        if (out.borders.empty() || out.borders.back().p != p || out.borders.back().q != q)
            out.borders.push_back({p, q, 0, 0.0});
        ++out.borders.back().length;
        out.borders.back().edge += edge;
    }
    MarkSubject(out, sides, sharp, middle);
}

int AreasForDetail(int detail) {
    static const int areas[DetailSteps] = {18, 26, 36, 48, 60};
    return areas[std::clamp(detail, 1, DetailSteps) - 1];
}

namespace {

using Part = PhotoParts::Part;
struct Link {
    int32_t other, length;
    double edge;
};

bool InSubject(const Part& p) {
    return 2 * p.subject >= p.pixels;
}

// How real the border between two areas is: the step between their mean colours (less where the
// plainer of the two is itself mottled: a texture's patches) and the edge along the border (less
// where it is no steeper than the inside of the plainer: a sky's slow gradient).
struct Realness {
    double step, rise;
};
Realness BorderRealness(const Part& p, const Part& q, const Link& link) {
    const double np = double(p.pixels), nq = double(q.pixels);
    const double dl = p.l / np - q.l / nq, da = p.a / np - q.a / nq, db = p.b / np - q.b / nq;
    const auto spread = [](const Part& r) {
        const double n = double(r.pixels), l = r.l / n, a = r.a / n, b = r.b / n;
        return std::sqrt(std::max(0.0, r.squares / n - l * l - a * a - b * b));
    };
    const double step = std::sqrt(dl * dl + da * da + db * db) * W.mottle /
                        (W.mottle + std::min(spread(p), spread(q)));
    const double edge = link.edge / link.length * EdgeScale;
    const double slope = std::min(p.slope / np, q.slope / nq) * EdgeScale;
    return {step, edge * edge / (edge + W.slope * slope + 1e-9)};
}

// What joining two areas costs: the weaker of the border's step and edge, times the smaller
// area's size and its roundness (a strip along an edge or a thread goes sooner). Where the photo
// has a subject: less inside its background, and less the larger the areas there are, so that
// the background ends in a few large areas; far more across the subject's outline, so that it is
// joined last. An area too small to keep joins before any other, into the neighbour it is most
// like, not into whatever is left at the end.
double JoinCost(const Part& p, const Part& q, const Realness& border, bool subject) {
    const auto [step, rise] = border;
    const double np = double(p.pixels), nq = double(q.pixels);
    const Part& small = np < nq ? p : q;
    const double round = std::min(1.0, 4 * 3.14159 * double(small.pixels) /
                                           double(small.outline * small.outline) / 0.785);
    const double interest = std::max(p.interest / np, q.interest / nq);
    const double tiny = small.pixels < SmallestArea ? 1e-3 : 1.0;
    const bool inP = InSubject(p), inQ = InSubject(q);
    const bool ground = subject && !inP && !inQ;
    const double where = inP != inQ ? W.outline : ground ? W.ground : 1.0;
    return tiny * where * std::min(step, rise) *
           std::pow(double(small.pixels) * round, ground ? W.size : 0.5) *
           (W.plain + interest * interest);
}

// The areas of the fitted photo, numbered from 0, joined down to target and to SmallestArea; and
// inside the subject across faint borders down to fewest. joined is how many are left.
std::vector<int32_t> JoinParts(const PhotoParts& in, int target, int fewest, int& joined) {
    std::vector<Part> parts = in.parts;
    const int32_t count = int32_t(parts.size());
    std::vector<std::vector<Link>> next(static_cast<size_t>(count));
    for (const auto& b : in.borders) {
        next[size_t(b.p)].push_back({b.q, b.length, b.edge});
        next[size_t(b.q)].push_back({b.p, b.length, b.edge});
    }
    std::vector<int32_t> parent(static_cast<size_t>(count)), stamp(static_cast<size_t>(count), 0);
    std::iota(parent.begin(), parent.end(), 0);
    struct Join {
        double cost;
        int32_t p, q, sp, sq;
        bool faint; // a border inside the subject that is neither a step of colour nor an edge
        bool operator<(const Join& o) const { return cost > o.cost; }
    };
    const bool subject =
        std::any_of(parts.begin(), parts.end(), [](const Part& p) { return p.subject > 0; });
    std::priority_queue<Join> heap;
    auto offer = [&](int32_t p, int32_t above) {
        for (const Link& l : next[size_t(p)])
            if (l.other > above) {
                const Part &a = parts[size_t(p)], &b = parts[size_t(l.other)];
                const Realness border = BorderRealness(a, b, l);
                const bool faint =
                    InSubject(a) && InSubject(b) && std::max(border.step, border.rise) < W.faint;
                heap.push({JoinCost(a, b, border, subject), p, l.other, stamp[size_t(p)],
                           stamp[size_t(l.other)], faint});
            }
    };
    for (int32_t p = 0; p < count; ++p)
        offer(p, p); // each pair once
    int32_t alive = count;
    auto join = [&](int32_t p, int32_t q) {
        if (parts[size_t(p)].pixels < parts[size_t(q)].pixels)
            std::swap(p, q);
        parent[size_t(q)] = p;
        Part& a = parts[size_t(p)];
        const Part& b = parts[size_t(q)];
        a.l += b.l, a.a += b.a, a.b += b.b, a.squares += b.squares, a.slope += b.slope;
        a.interest += b.interest, a.pixels += b.pixels, a.outline += b.outline;
        a.subject += b.subject;
        for (const Link& l : next[size_t(p)])
            if (l.other == q)
                a.outline -= 2 * l.length;
        std::vector<Link> both = next[size_t(p)];
        both.insert(both.end(), next[size_t(q)].begin(), next[size_t(q)].end());
        for (Link& l : both)
            l.other = Root(parent, l.other);
        std::sort(both.begin(), both.end(),
                  [](const Link& x, const Link& y) { return x.other < y.other; });
        std::vector<Link> merged;
        for (const Link& l : both)
            if (l.other == p)
                continue;
            else if (!merged.empty() && merged.back().other == l.other)
                merged.back().length += l.length, merged.back().edge += l.edge;
            else
                merged.push_back(l);
        next[size_t(p)].swap(merged);
        next[size_t(q)].clear();
        ++stamp[size_t(p)];
        // Each neighbour's link back names p only.
        for (const Link& l : next[size_t(p)]) {
            auto& back = next[size_t(l.other)];
            back.erase(std::remove_if(back.begin(), back.end(),
                                      [&](const Link& k) { return k.other == p || k.other == q; }),
                       back.end());
            back.push_back({p, l.length, l.edge});
        }
        --alive;
        offer(p, -1);
    };
    // The cheapest joins while there are too many areas; then any area still too small joins, and
    // the faint borders go while there are more than the fewest.
    while (!heap.empty()) {
        const Join j = heap.top();
        heap.pop();
        if (parent[size_t(j.p)] != j.p || parent[size_t(j.q)] != j.q ||
            stamp[size_t(j.p)] != j.sp || stamp[size_t(j.q)] != j.sq)
            continue;
        if (alive > target ||
            std::min(parts[size_t(j.p)].pixels, parts[size_t(j.q)].pixels) < SmallestArea ||
            (subject && alive > fewest && j.faint))
            join(j.p, j.q);
    }
    joined = alive;
    std::vector<int32_t> number(size_t(count), -1), area(in.part.size());
    int32_t areas = 0;
    for (size_t i = 0; i < area.size(); ++i) {
        const int32_t r = Root(parent, in.part[i]);
        if (number[size_t(r)] < 0)
            number[size_t(r)] = areas++;
        area[i] = number[size_t(r)];
    }
    return area;
}

// Each pixel on an area's border moved to the neighbouring area whose mean colour is nearer to its
// own, a few times over: the borders settle on the photo's edges, not a part's side beside them.
void Settle(std::vector<int32_t>& area, const std::vector<float>& colour, int w, int h) {
    const size_t n = area.size();
    const int32_t count = *std::max_element(area.begin(), area.end()) + 1;
    std::vector<double> mean(size_t(count) * 4, 0.0);
    for (size_t i = 0; i < n; ++i) {
        double* m = &mean[size_t(area[i]) * 4];
        m[0] += colour[i * 3], m[1] += colour[i * 3 + 1], m[2] += colour[i * 3 + 2], m[3] += 1;
    }
    for (int32_t a = 0; a < count; ++a) {
        double* m = &mean[size_t(a) * 4];
        const double pixels = std::max(1.0, m[3]);
        m[0] /= pixels, m[1] /= pixels, m[2] /= pixels;
    }
    const auto far = [&](size_t i, int32_t a) {
        double d = 0;
        for (int c = 0; c < 3; ++c) {
            const double v = colour[i * 3 + c] - mean[size_t(a) * 4 + c];
            d += v * v;
        }
        return d;
    };
    for (int round = 0; round < 4; ++round) {
        std::vector<int32_t> next = area;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = size_t(y) * w + x;
                const int32_t own = area[i];
                const size_t around[4] = {x > 0 ? i - 1 : i, x + 1 < w ? i + 1 : i,
                                          y > 0 ? i - w : i, y + 1 < h ? i + w : i};
                if (area[around[0]] == own && area[around[1]] == own && area[around[2]] == own &&
                    area[around[3]] == own)
                    continue; // inside its area: nothing else to take
                double best = far(i, own);
                for (const size_t j : around)
                    if (area[j] != own && area[j] != next[i]) {
                        const double d = far(i, area[j]);
                        if (d < best)
                            best = d, next[i] = area[j];
                    }
            }
        area.swap(next);
    }
}

// Each pixel near a border takes the area most common in the disc of radius r round it (its own
// on a tie): borders lose their steps, wiggles and corners, and threads of an area go.
void Smooth(std::vector<int32_t>& area, int w, int h, int r) {
    std::vector<int32_t> out = area;
    // Only pixels within r of a border can change.
    std::vector<float> near(area.size(), 0.0f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            near[i] =
                (x + 1 < w && area[i + 1] != area[i]) || (y + 1 < h && area[i + w] != area[i]);
        }
    MaxAround(near, w, h, r + 1);
    std::vector<int32_t> seen, times;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (near[size_t(y) * w + x] == 0)
                continue;
            seen.clear(), times.clear();
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= w || sy >= h || dx * dx + dy * dy > r * r + r)
                        continue;
                    const int32_t v = area[size_t(sy) * w + sx];
                    size_t k = 0;
                    while (k < seen.size() && seen[k] != v)
                        ++k;
                    if (k == seen.size())
                        seen.push_back(v), times.push_back(0);
                    ++times[k];
                }
            const int32_t own = area[size_t(y) * w + x];
            // The pixel itself is in its disc, so its own area is among those seen.
            int32_t best = own,
                    most = times[size_t(std::find(seen.begin(), seen.end(), own) - seen.begin())];
            for (size_t k = 0; k < seen.size(); ++k)
                if (times[k] > most)
                    best = seen[k], most = times[k];
            out[size_t(y) * w + x] = best;
        }
    area.swap(out);
}

// Every pixel of an area not inside some Stroke x Stroke square of that area (a strip or neck too
// narrow to keep its middle open once outlined) given to the nearest area that has such a square
// there: the lines never run so close that a sliver lies between them.
constexpr int Stroke = 6;
void OpenAreas(std::vector<int32_t>& area, int w, int h) {
    const size_t n = area.size();
    // The squares whose top left corner each pixel is: same area Stroke across, then Stroke down.
    std::vector<int32_t> across(n), down(n);
    for (int y = 0; y < h; ++y)
        for (int x = w - 1; x >= 0; --x) {
            const size_t i = size_t(y) * w + x;
            across[i] = x + 1 < w && area[i + 1] == area[i] ? across[i + 1] + 1 : 1;
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            const bool wide = across[i] >= Stroke;
            down[i] = !wide ? 0 : y + 1 < h && area[i + w] == area[i] ? down[i + w] + 1 : 1;
        }
    // A pixel is kept when a square's corner lies up to Stroke - 1 pixels left and above it.
    std::vector<uint8_t> corner(n), keep(n);
    for (int y = 0; y < h; ++y)
        for (int x = 0, last = -Stroke; x < w; ++x) {
            const size_t i = size_t(y) * w + x;
            if (down[i] >= Stroke)
                last = x;
            corner[i] = x - last < Stroke;
        }
    for (int x = 0; x < w; ++x)
        for (int y = 0, last = -Stroke; y < h; ++y) {
            const size_t i = size_t(y) * w + x;
            if (corner[i])
                last = y;
            keep[i] = y - last < Stroke;
        }
    std::vector<int32_t> queue;
    for (size_t i = 0; i < n; ++i)
        if (keep[i])
            queue.push_back(int32_t(i));
    for (size_t k = 0; k < queue.size(); ++k) {
        const int32_t p = queue[k];
        const int x = p % w, y = p / w;
        const int32_t near[4] = {x > 0 ? p - 1 : -1, x + 1 < w ? p + 1 : -1, y > 0 ? p - w : -1,
                                 y + 1 < h ? p + w : -1};
        for (int32_t q : near)
            if (q >= 0 && !keep[q]) {
                keep[q] = 1, area[q] = area[p];
                queue.push_back(q);
            }
    }
}

// Counts, per key, how often it was seen; the commonest key (the first seen of those as common).
using Tally = std::vector<std::pair<int32_t, int32_t>>;
void Count(Tally& tally, int32_t key) {
    auto it =
        std::find_if(tally.begin(), tally.end(), [&](const auto& e) { return e.first == key; });
    if (it == tally.end())
        tally.push_back({key, 1});
    else
        ++it->second;
}
int32_t Commonest(const Tally& tally) {
    return std::max_element(tally.begin(), tally.end(),
                            [](const auto& x, const auto& y) { return x.second < y.second; })
        ->first;
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
        std::vector<Tally> border(size.size());
        for (size_t p = 0; p < area.size(); ++p) {
            const int x = int(p % w), y = int(p / w);
            const size_t near[2] = {x + 1 < w ? p + 1 : p, y + 1 < h ? p + w : p};
            for (size_t q : near) {
                const int32_t a = piece[p], b = piece[q];
                if (a == b)
                    continue;
                for (auto [from, to] : {std::pair(a, b), std::pair(b, a)})
                    if (small(from))
                        Count(border[from], to);
            }
        }
        std::vector<int32_t> into(size.size(), -1), value(size.size(), -1);
        for (size_t p = 0; p < area.size(); ++p)
            value[piece[p]] = area[p];
        for (size_t s = 0; s < size.size(); ++s)
            if (!border[s].empty())
                into[s] = Commonest(border[s]);
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

// Each pocket under PhotoAreaFloor that the outlines shut off an area's tip (the page's regions as
// the check found them): the tip, its pixels up to two from the pocket, given to the other area
// most common up to three from it. True when any was given.
bool GiveTipsAway(std::vector<int32_t>& area, const PageCheck& check, const PageFit& f) {
    const int w = f.width, h = f.height;
    std::vector<std::vector<int32_t>> pockets(check.size.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int32_t r = check.region[size_t(f.top + y) * StdPageWidth + f.left + x];
            if (r >= 0 && check.size[size_t(r)] < PhotoAreaFloor)
                pockets[size_t(r)].push_back(y * w + x);
        }
    bool given = false;
    for (const std::vector<int32_t>& pocket : pockets) {
        if (pocket.empty())
            continue;
        const int32_t own = area[size_t(pocket[0])];
        Tally votes;
        std::vector<int32_t> tip;
        for (const int32_t p : pocket)
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx) {
                    const int x = p % w + dx, y = p / w + dy;
                    if (x < 0 || y < 0 || x >= w || y >= h)
                        continue;
                    const int32_t q = y * w + x, a = area[size_t(q)];
                    if (a == own) {
                        if (std::abs(dx) <= 2 && std::abs(dy) <= 2)
                            tip.push_back(q);
                        continue;
                    }
                    Count(votes, a);
                }
        if (votes.empty())
            continue;
        const int32_t to = Commonest(votes);
        for (const int32_t q : tip)
            area[size_t(q)] = to;
        given = true;
    }
    return given;
}

} // namespace

LineMask PhotoPage(const PhotoParts& parts, int detail, int gapWidth, PageCheck& check) {
    LineMask mask = PageMask();
    const PageFit& f = parts.fit;
    const int w = f.width, h = f.height;
    if (parts.parts.empty()) {
        CheckPage(mask, gapWidth, check);
        return mask;
    }
    // Smoothing and opening can take many small areas away (a subject's, kept apart from its
    // ground, most often): where far fewer are left than were joined, made again aiming higher by
    // as many as were lost.
    const int want = AreasForDetail(detail);
    std::vector<int32_t> area;
    for (int aim = want;;) {
        int joined = 0;
        area = JoinParts(parts, aim, int(want * W.fewest) + aim - want, joined);
        Settle(area, parts.colour, w, h);
        for (int pass = 0; pass < 3; ++pass)
            Smooth(area, w, h, 2);
        for (int pass = 0; pass < 2; ++pass) // a piece joined can leave a neck to open again
            OpenAreas(area, w, h), JoinSmallPieces(area, w, h);
        std::vector<uint8_t> seen(parts.parts.size(), 0);
        int left = 0;
        for (const int32_t a : area)
            left += !seen[size_t(a)], seen[size_t(a)] = 1;
        if (aim > want || left * 4 >= joined * 3)
            break;
        aim += joined - left;
    }
    // A line on the fitted photo's frame and where an area meets the next one to its right or
    // below; thickened right and down, each comes out two pixels wide across the border.
    const auto outline = [&] {
        mask = PageMask();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = size_t(y) * w + x;
                const bool edge = !x || !y || x == w - 1 || y == h - 1;
                if (edge || area[i] != area[i + 1] || area[i] != area[i + w])
                    mask[size_t(f.top + y) * StdPageWidth + f.left + x] = 1;
            }
        ThickenLines(mask, 1);
    };
    // By construction no area leaks and none is a sliver (the necks were opened). Where lines
    // meet at a sharp angle they can still shut a pocket too small to colour off an area's tip:
    // the tip is given to the area beside it and the outlines drawn again, as a pocket filled
    // with line would be a black blot. First on the regions alone, which is quick.
    outline();
    for (int round = 0; round < 2; ++round) {
        FindRegions(mask, check);
        if (!GiveTipsAway(area, check, f))
            break;
        outline();
    }
    // Then the check: a narrow passage a border left is bridged, and a bridge can shut a pocket
    // in turn, whose tip is given away as well while rounds are left; what is left is filled.
    for (int round = 0;; ++round) {
        CheckPage(mask, gapWidth, check);
        bool clean = check.leaks.empty();
        for (const int32_t size : check.size)
            clean = clean && size >= PhotoAreaFloor;
        if (clean || round == 5) // the check last made is the page's own
            return mask;
        if (round < 2 && GiveTipsAway(area, check, f)) {
            outline();
            continue;
        }
        BridgeGaps(mask, check);
        FillTinyPockets(mask, check, PhotoAreaFloor);
    }
}
