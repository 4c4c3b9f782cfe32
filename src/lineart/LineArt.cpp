// Grey from colour, the fit onto the page, area-averaged scaling, threshold and thickening.
#include "pagemaker/LineArt.h"

#include <algorithm>

#include "page/PageFormat.h"

PageFit FitOnPage(int drawingWidth, int drawingHeight) {
    const int64_t w = drawingWidth, h = drawingHeight;
    PageFit fit;
    if (w * StdPageHeight >= h * StdPageWidth) { // as wide as the page or wider: full width
        fit.width = StdPageWidth;
        fit.height = int((h * StdPageWidth + w / 2) / w);
    } else {
        fit.height = StdPageHeight;
        fit.width = int((w * StdPageHeight + h / 2) / h);
    }
    fit.width = std::max(fit.width, 1);
    fit.height = std::max(fit.height, 1);
    fit.left = (StdPageWidth - fit.width) / 2;
    fit.top = (StdPageHeight - fit.height) / 2;
    return fit;
}

void GreyOnWhite(const uint8_t* bgra, size_t stride, int width, int rows, uint8_t* grey) {
    for (int y = 0; y < rows; ++y) {
        const uint8_t* p = bgra + size_t(y) * stride;
        for (int x = 0; x < width; ++x, p += 4) {
            const uint32_t a = p[3], white = 255 * (255 - a);
            const uint32_t b = (p[0] * a + white + 127) / 255;
            const uint32_t g = (p[1] * a + white + 127) / 255;
            const uint32_t r = (p[2] * a + white + 127) / 255;
            *grey++ = uint8_t((299 * r + 587 * g + 114 * b + 500) / 1000);
        }
    }
}

namespace {

// The darkest of the window pixels starting at each pixel less half the window, along one line of
// n values step apart.
void DarkestAlong(const uint8_t* in, uint8_t* out, int n, size_t step, int window) {
    for (int i = 0; i < n; ++i) {
        const int from = std::max(0, i - window / 2), to = std::min(n, i - window / 2 + window);
        uint8_t darkest = 255;
        for (int j = from; j < to; ++j)
            darkest = std::min(darkest, in[size_t(j) * step]);
        out[size_t(i) * step] = darkest;
    }
}

// Area averaging along one line: output pixel i is the mean of input [i * n / m, (i + 1) * n / m),
// partly covered input pixels counting by the part covered.
template <typename T>
void AverageAlong(const T* in, int n, size_t inStep, float* out, int m, size_t outStep) {
    const double ratio = double(n) / m;
    for (int i = 0; i < m; ++i) {
        const double a = i * ratio, b = (i + 1) * ratio;
        double sum = 0;
        for (int s = int(a); s < n && s < b; ++s)
            sum += in[size_t(s) * inStep] * (std::min(b, s + 1.0) - std::max(a, double(s)));
        out[size_t(i) * outStep] = float(sum / ratio);
    }
}

} // namespace

std::vector<uint8_t> ScaleOntoPage(const uint8_t* grey, int width, int height) {
    const PageFit fit = FitOnPage(width, height);
    const size_t pixels = size_t(width) * size_t(height);
    std::vector<uint8_t> kept(grey, grey + pixels);
    const int wx = (width + fit.width - 1) / fit.width, wy = (height + fit.height - 1) / fit.height;
    if (wx > 1 || wy > 1) {
        std::vector<uint8_t> across(pixels);
        for (int y = 0; y < height; ++y)
            DarkestAlong(grey + size_t(y) * width, across.data() + size_t(y) * width, width, 1, wx);
        for (int x = 0; x < width; ++x)
            DarkestAlong(across.data() + x, kept.data() + x, height, width, wy);
    }
    std::vector<float> rows(size_t(fit.width) * height), scaled(size_t(fit.width) * fit.height);
    for (int y = 0; y < height; ++y)
        AverageAlong(kept.data() + size_t(y) * width, width, 1, rows.data() + size_t(y) * fit.width,
                     fit.width, 1);
    for (int x = 0; x < fit.width; ++x)
        AverageAlong(rows.data() + x, height, fit.width, scaled.data() + x, fit.height, fit.width);

    std::vector<uint8_t> page(PagePixelBytes, 255);
    for (int y = 0; y < fit.height; ++y)
        for (int x = 0; x < fit.width; ++x) {
            const float v = scaled[size_t(y) * fit.width + x] + 0.5f;
            page[size_t(fit.top + y) * StdPageWidth + fit.left + x] =
                uint8_t(std::clamp(v, 0.0f, 255.0f));
        }
    return page;
}

LineMask ThresholdPage(const std::vector<uint8_t>& pageGrey, int threshold) {
    LineMask mask(pageGrey.size());
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
