// Turns a 1-bit BMP drawing into a page file with the program's own converter: bmp2col in.bmp
// out.col
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "page/PageFormat.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bmp2col drawing.bmp page.col\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    std::vector<uint8_t> page;
    if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "bmp2col: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!ConvertBmpBytes(bmp.data(), bmp.size(), page)) {
        std::fprintf(stderr, "bmp2col: %s is not an uncompressed 1-bit BMP\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(page.data()), std::streamsize(page.size()));
    if (!out.good()) {
        std::fprintf(stderr, "bmp2col: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
