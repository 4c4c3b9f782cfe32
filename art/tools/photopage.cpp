// Makes a photo's page as the Page Maker does and says what it is like, for tuning on a set of
// photos: photopage [--detail N] photo.ppm page.pgm prints whether it looks like a photo, its
// areas, the smallest, its leaks of up to 2 pixels, the milliseconds it took and those a change of
// detail takes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "lineart/Making.h"

int main(int argc, char** argv) {
    int detail = DefaultDetail, first = 1;
    if (argc > 2 && !std::strcmp(argv[1], "--detail"))
        detail = std::atoi(argv[2]), first = 3;
    if (argc != first + 2 && argc != first + 3) {
        std::fprintf(stderr, "usage: photopage [--detail N] photo.ppm page.pgm [subject.pgm]\n");
        return 2;
    }
    std::ifstream in(argv[first], std::ios::binary);
    std::string magic;
    int w = 0, h = 0, top = 0;
    in >> magic >> w >> h >> top;
    in.get();
    RgbImage photo{w, h, std::vector<uint8_t>(size_t(w) * h * 3)};
    in.read(reinterpret_cast<char*>(photo.rgb.data()), std::streamsize(photo.rgb.size()));
    if (magic != "P6" || top != 255 || !in) {
        std::fprintf(stderr, "photopage: %s is not an 8-bit PPM\n", argv[first]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    MakerWork work;
    work.photo = photo;
    work.settings.kind = PageKind::Photo;
    work.settings.detail = detail;
    work.settings.gaps = 2;
    RebuildPage(work);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    // A detail change, as the window makes it: the parts kept, the page and its check made again.
    const auto again = std::chrono::steady_clock::now();
    work.settings.detail = detail % DetailSteps + 1;
    RebuildPage(work);
    const auto changeMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - again)
                              .count();
    work.settings.detail = detail;
    RebuildPage(work);
    int smallest = 1 << 30;
    for (int32_t s : work.check.size)
        smallest = std::min(smallest, int(s));
    std::printf("%s areas %zu smallest %d leaks %zu ms %lld detail change ms %lld\n",
                LooksLikePhoto(photo) ? "photo" : "drawing", work.check.size.size(), smallest,
                work.check.leaks.size(), static_cast<long long>(ms),
                static_cast<long long>(changeMs));
    std::ofstream out(argv[first + 1], std::ios::binary);
    out << "P5\n660 460\n255\n";
    for (uint8_t v : work.mask.px)
        out.put(char(v ? 0 : 255));
    if (argc == first + 3) { // the subject found: white on grey, at the fitted photo's size
        std::ofstream subject(argv[first + 2], std::ios::binary);
        const PhotoParts& p = work.parts;
        subject << "P5\n" << p.fit.width << " " << p.fit.height << "\n255\n";
        for (const int32_t at : p.part)
            subject.put(char(p.parts[size_t(at)].subject ? 255 : 90));
    }
    return 0;
}
