// Loading and saving the page file with the platform's file calls, and the developer's BMP
// converter.
#include "page/PageFile.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "page/FileBytes.h"
#include "page/Page.h"
#include "resource.h"
#include "support/DevDisplays.h"
#include "support/Messages.h"
#include "support/Program.h"

int LoadPage(const char* path) {
    std::vector<uint8_t> bytes;
    const ReadResult read = ReadWholeFile(path, bytes);
    if (read == ReadResult::CannotOpen) {
        char text[600];
        std::snprintf(text, sizeof text, GetResString(IDS_FILE_MISSING, 0), path);
        ShowMessage(hWndMain, text, GetResString(IDS_HUEBERRY, 1), MB_ICONEXCLAMATION);
        return 0;
    }
    // A damaged page (wrong size, cut short, not a page at all) is refused whole: the page in
    // memory, header and pixels, stays exactly as it was, so a later save cannot write a
    // half-loaded mix.
    if (read != ReadResult::Ok || !lpDib ||
        !ParsePage(bytes.data(), bytes.size(), DisplayPalette, bmfhead, bmp, lpDib)) {
        ShowResMessage(IDS_NOT_PAGE, IDS_HUEBERRY, MB_OK);
        return 0;
    }
    return 1;
}

int SavePage(const char* path) {
    const std::vector<uint8_t> bytes = SerializePage(bmfhead, bmp, lpDib);
    if (bytes.empty())
        return 0;
    return ReplaceFileContents(path, bytes);
}

int ConvertBmpToPage(const char* bmpPath, const char* pagePath) {
    std::vector<uint8_t> source, page;
    if (ReadWholeFile(bmpPath, source) != ReadResult::Ok)
        return 0;
    if (!ConvertBmpBytes(source.data(), source.size(), page)) {
        ShowResMessage(IDS_NOT_BITMAP, IDS_HUEBERRY, MB_ICONEXCLAMATION);
        return 0;
    }
    if (!ReplaceFileContents(pagePath, page)) {
        StatusText("New COL file would not open");
        return 0;
    }
    return 1;
}
