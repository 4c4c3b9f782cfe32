// The page's developer dumps: its colour table and first bytes in boxes, its headers in the
// developer dialog.
#include "page/PageDumps.h"

#include "page/Page.h"
#include "page/PageDumpText.h"
#include "support/DevDisplays.h"
#include "support/DevFormats.h"
#include "support/Messages.h"
#include "support/Program.h"

namespace {

char PageHeaderText[DeveloperTextSize]; // the developer dialog shows it; it outlives the call

} // namespace

void DumpColourTable() {
    char text[DumpTextSize];
    for (int group = 0; group < 256; group += 64) {
        StatusInt(FormatColourGroup(text, sizeof text, bmp.bmiColors, group));
        ShowMessage(hWndMain, text, "Colors", MB_OK);
    }
}

void DumpPageBytes() {
    if (!lpDib)
        return;
    char text[DumpTextSize];
    for (int group = 0; group < 256; group += 64) {
        StatusInt(FormatByteGroup(text, sizeof text, lpDib, group));
        ShowMessage(hWndMain, text, "Colors", MB_OK);
    }
}

void ShowPageHeader() {
    FormatPageHeader(PageHeaderText, sizeof PageHeaderText, bmfhead, bmp.bmiHeader);
    // At most one dialog: an open one keeps the text it was created with.
    if (!hDlgDeveloper)
        hDlgDeveloper = CreateDialogParamA(hInst, "ModelessDlg", hWndMain, DeveloperDlgProc,
                                           reinterpret_cast<LPARAM>(PageHeaderText));
}
