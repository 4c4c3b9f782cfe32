// Grey from colour, white paper, the drawing found on its sheet, the fit, area-averaged scaling,
// the quarter turn, threshold and thickening.
#include "image/LineArt.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "page/PageFormat.h"

PageFit FitOnPage(int drawingWidth, int drawingHeight, int margin) {
    const int64_t w = drawingWidth, h = drawingHeight;
    const int64_t pageW = StdPageWidth - 2 * margin, pageH = StdPageHeight - 2 * margin;
    PageFit fit;
    if (w * pageH >= h * pageW) { // as wide as the space or wider: its full width
        fit.width = int(pageW);
        fit.height = int((h * pageW + w / 2) / w);
    } else {
        fit.height = int(pageH);
        fit.width = int((w * pageH + h / 2) / h);
    }
    fit.width = std::max(fit.width, 1);
    fit.height = std::max(fit.height, 1);
    fit.left = (StdPageWidth - fit.width) / 2;
    fit.top = (StdPageHeight - fit.height) / 2;
    return fit;
}

namespace {

// One row's grey levels, the channel count fixed so that the loop is plain arithmetic: an opaque
// pixel laid on white is itself, so only blue-green-red-alpha pays for the laying.
template <int Channels> void GreyRow(const uint8_t* p, int width, uint8_t* grey) {
    for (int x = 0; x < width; ++x, p += Channels) {
        if constexpr (Channels == 1) {
            grey[x] = *p;
        } else if constexpr (Channels == 3) {
            const uint8_t rgb[3] = {p[2], p[1], p[0]};
            grey[x] = uint8_t(GreyLevel(rgb));
        } else {
            const uint32_t a = p[3], white = 255 * (255 - a);
            const auto onWhite = [&](uint32_t level) {
                return uint8_t((level * a + white + 127) / 255);
            };
            const uint8_t rgb[3] = {onWhite(p[2]), onWhite(p[1]), onWhite(p[0])};
            grey[x] = uint8_t(GreyLevel(rgb));
        }
    }
}

} // namespace

void GreyOnWhite(const uint8_t* pixels, size_t stride, int width, int rows, int channels,
                 uint8_t* grey) {
    const auto row = channels == 1 ? GreyRow<1> : channels == 3 ? GreyRow<3> : GreyRow<4>;
    for (int y = 0; y < rows; ++y)
        row(pixels + size_t(y) * stride, width, grey + size_t(y) * width);
}

void WhitenPaper(std::vector<uint8_t>& grey) {
    uint32_t count[256] = {};
    const size_t step = grey.size() > (1u << 20) ? 7 : 1; // a sample is plenty on a large scan
    for (size_t i = 0; i < grey.size(); i += step)
        ++count[grey[i]];
    // The most common level, smoothed over nine levels so that noise does not split the peak.
    int paper = 255;
    uint32_t best = 0;
    for (int level = 96; level < 256; ++level) {
        uint32_t around = 0;
        for (int l = std::max(0, level - 4); l <= std::min(255, level + 4); ++l)
            around += count[l];
        if (around > best)
            best = around, paper = level;
    }
    // The plateau's most common level itself, not its first.
    for (int l = std::max(0, paper - 4), top = paper + 4; l <= std::min(255, top); ++l)
        if (count[l] > count[paper])
            paper = l;
    if (paper >= 250)
        return;
    uint8_t lift[256];
    for (int level = 0; level < 256; ++level)
        lift[level] = uint8_t(std::min(255, (level * 255 + paper / 2) / paper));
    for (uint8_t& g : grey)
        g = lift[g];
}

namespace {

int Distance(const PixelBox& a, const PixelBox& b) {
    const int dx = std::max({0, a.left - b.right, b.left - a.right});
    const int dy = std::max({0, a.top - b.bottom, b.top - a.bottom});
    return std::max(dx, dy);
}

PixelBox Join(const PixelBox& a, const PixelBox& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

DrawingExtent FindDrawing(const Drawing& drawing, int threshold) {
    DrawingExtent e;
    const int w = drawing.width, h = drawing.height;
    if (w <= 0 || h <= 0)
        return e;
    if (drawing.wholeSheet) {
        e.right = w, e.bottom = h;
        return e;
    }
    // An overview about the page's size: a cell is dark where any of its pixels is, so thin lines
    // stay.
    const int c = std::max(
        {1, (w + StdPageWidth - 1) / StdPageWidth, (h + StdPageHeight - 1) / StdPageHeight});
    const int across = (w + c - 1) / c, down = (h + c - 1) / c;
    e.cell = c, e.across = across, e.down = down;
    std::vector<uint8_t> dark(size_t(across) * down, 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = drawing.grey.data() + size_t(y) * w;
        uint8_t* cells = dark.data() + size_t(y / c) * across;
        for (int x = 0; x < w; ++x)
            cells[x / c] |= row[x] < threshold;
    }
    const size_t n = dark.size();
    std::vector<int32_t> label, sizes;
    std::vector<PixelBox> boxes;
    LabelGroups(Mask(across, down, std::move(dark)), true, label, sizes, boxes);
    // The parts whose every cell lies in the band along the border.
    const int bandX = std::max(1, across * 8 / 100), bandY = std::max(1, down * 8 / 100);
    std::vector<uint8_t> inBand(boxes.size(), 1);
    for (size_t i = 0; i < n; ++i) {
        const int x = int(i % across), y = int(i / across);
        if (label[i] >= 0 && x >= bandX && x < across - bandX && y >= bandY && y < down - bandY)
            inBand[size_t(label[i])] = 0;
    }
    // A strip or a shadow along the border: it touches the border, stays in the band along it and
    // runs along a third of a side at least.
    std::vector<uint8_t> strip(boxes.size()), taken(boxes.size());
    int largest = -1;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const PixelBox& b = boxes[i];
        const bool border = !b.left || !b.top || b.right == across - 1 || b.bottom == down - 1;
        strip[i] = border && inBand[i] &&
                   (3 * (b.right - b.left + 1) >= across || 3 * (b.bottom - b.top + 1) >= down);
        if (!strip[i] && (largest < 0 || sizes[i] > sizes[largest]))
            largest = int(i);
    }
    e.dropped.assign(n, 0);
    for (size_t i = 0; i < n; ++i)
        e.dropped[i] = label[i] >= 0 && strip[label[i]];
    if (largest < 0)
        return e;
    // The drawing grows from its largest part by every part that is large, or not a speck and
    // near it; what is left are specks and small marks far away.
    const int near = std::max(2, std::max(across, down) * 4 / 100);
    const int big = std::max(4, sizes[largest] / 20);
    PixelBox extent = boxes[largest];
    taken[largest] = 1;
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (!taken[i] && !strip[i] &&
                (sizes[i] >= big || (sizes[i] >= 3 && Distance(boxes[i], extent) <= near))) {
                taken[i] = 1;
                extent = Join(extent, boxes[i]);
                grew = true;
            }
    }
    e.left = extent.left * c, e.top = extent.top * c;
    e.right = std::min(w, (extent.right + 1) * c), e.bottom = std::min(h, (extent.bottom + 1) * c);
    return e;
}

namespace {

// out[i] = the darkest of in[i - window / 2, i - window / 2 + window), white beyond the ends.
// Windows double in each step, so a wide window costs a few passes only.
template <typename T> void DarkestAlong(const T* in, T* out, int n, int window, T white) {
    const int before = window / 2;
    std::vector<T> a(size_t(n + window), white);
    std::copy(in, in + n, a.begin() + before);
    int span = 1;
    for (; span * 2 <= window; span *= 2)
        for (size_t i = 0; i + span < a.size(); ++i)
            a[i] = std::min(a[i], a[i + span]);
    // a[i] is now the darkest of span values from i; two such cover the window.
    for (int i = 0; i < n; ++i)
        out[i] = std::min(a[i], a[i + window - span]);
}

// The input pixels each output pixel averages, with their weights: output i covers input
// [i * n / m, (i + 1) * n / m), partly covered pixels counting by the part covered.
struct Spans {
    std::vector<int> first, count, index;
    std::vector<float> weight;
};

Spans AreaSpans(int n, int m) {
    Spans s;
    const double ratio = double(n) / m;
    for (int i = 0; i < m; ++i) {
        const double a = i * ratio, b = (i + 1) * ratio;
        s.first.push_back(int(s.index.size()));
        for (int k = int(a); k < n && k < b; ++k) {
            s.index.push_back(k);
            s.weight.push_back(float((std::min(b, k + 1.0) - std::max(a, double(k))) / ratio));
        }
        s.count.push_back(int(s.index.size()) - s.first.back());
    }
    return s;
}

} // namespace

std::vector<uint8_t> DrawingOnPage(const Drawing& d, const DrawingExtent& e, bool turn) {
    std::vector<uint8_t> page(PagePixelBytes, 255);
    if (e.Empty())
        return page;
    const int cw = e.right - e.left, ch = e.bottom - e.top;
    const PageFit fit = FitOnPage(turn ? ch : cw, turn ? cw : ch, d.wholeSheet ? 0 : PageMargin);
    const int sw = turn ? fit.height : fit.width, sh = turn ? fit.width : fit.height;
    const int wx = (cw + sw - 1) / sw, wy = (ch + sh - 1) / sh;
    const Spans across = AreaSpans(cw, sw), down = AreaSpans(ch, sh);
    const bool anyDropped = std::find(e.dropped.begin(), e.dropped.end(), 1) != e.dropped.end();

    // Across: each row widened and averaged to sw pixels.
    std::vector<float> rows(size_t(ch) * sw);
    std::vector<uint8_t> row(cw), dark(cw);
    for (int y = 0; y < ch; ++y) {
        const uint8_t* src = d.grey.data() + size_t(e.top + y) * d.width + e.left;
        std::copy(src, src + cw, row.begin());
        if (anyDropped) {
            const uint8_t* cells = e.dropped.data() + size_t((e.top + y) / e.cell) * e.across;
            for (int x = 0; x < cw; ++x)
                if (cells[(e.left + x) / e.cell])
                    row[x] = 255;
        }
        DarkestAlong<uint8_t>(row.data(), dark.data(), cw, wx, 255); // as it is for 1 pixel
        const uint8_t* in = dark.data();
        float* out = rows.data() + size_t(y) * sw;
        for (int i = 0; i < sw; ++i) {
            float sum = 0;
            for (int k = across.first[i], end = k + across.count[i]; k < end; ++k)
                sum += in[across.index[k]] * across.weight[k];
            out[i] = sum;
        }
    }
    // Down: each column widened, then rows averaged to sh.
    std::vector<float> column(ch), darkColumn(ch);
    for (int x = 0; x < sw; ++x) {
        for (int y = 0; y < ch; ++y)
            column[y] = rows[size_t(y) * sw + x];
        DarkestAlong<float>(column.data(), darkColumn.data(), ch, wy, 255.0f);
        for (int y = 0; y < ch; ++y)
            rows[size_t(y) * sw + x] = darkColumn[y];
    }
    std::vector<float> scaled(size_t(sw) * sh, 0.0f);
    for (int j = 0; j < sh; ++j) {
        float* out = scaled.data() + size_t(j) * sw;
        for (int k = down.first[j], end = k + down.count[j]; k < end; ++k) {
            const float* in = rows.data() + size_t(down.index[k]) * sw;
            const float weight = down.weight[k];
            for (int i = 0; i < sw; ++i)
                out[i] += in[i] * weight;
        }
    }
    for (int y = 0; y < fit.height; ++y)
        for (int x = 0; x < fit.width; ++x) {
            // Turned a quarter clockwise, the scaled drawing's left column is the page's top row.
            const float v = turn ? scaled[size_t(sh - 1 - x) * sw + y] : scaled[size_t(y) * sw + x];
            page[size_t(fit.top + y) * StdPageWidth + fit.left + x] =
                uint8_t(std::clamp(v + 0.5f, 0.0f, 255.0f));
        }
    return page;
}

LineMask PageMask(uint8_t value) {
    return LineMask(StdPageWidth, StdPageHeight, value);
}

LineMask ThresholdPage(const std::vector<uint8_t>& pageGrey, int threshold) {
    LineMask mask = PageMask();
    for (size_t i = 0; i < mask.size(); ++i)
        mask[i] = pageGrey[i] < threshold;
    return mask;
}

void ThickenLines(LineMask& mask, int pixels) {
    if (pixels <= 0)
        return;
    // A line pixel spreads by the offsets lo to hi (right and down) from where it was.
    const int lo = pixels >= 2 ? -1 : 0, hi = std::min(pixels, MaxThicken) + lo;
    const LineMask old = mask;
    for (int y = 0; y < StdPageHeight; ++y)
        for (int x = 0; x < StdPageWidth; ++x) {
            uint8_t line = 0;
            for (int dy = lo; dy <= hi && !line; ++dy)
                for (int dx = lo; dx <= hi && !line; ++dx) {
                    const int sx = x - dx, sy = y - dy;
                    line = sx >= 0 && sy >= 0 && sx < StdPageWidth && sy < StdPageHeight &&
                           old[size_t(sy) * StdPageWidth + sx];
                }
            mask[size_t(y) * StdPageWidth + x] = line;
        }
}
