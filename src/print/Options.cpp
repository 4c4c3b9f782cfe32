// The printing mode, its four-byte file printer.dta and the Printing Options dialog.
#include "print/Options.h"

#include "print/PrintModeFile.h"
#include "resource.h"

int PrintMode;

namespace {

// A relative name: the file lives in the working directory.
constexpr char ModeFileName[] = "printer.dta";

constexpr int ModeButtons[3] = {IDC_MODE_DEFAULT, IDC_MODE_ALTERNATE1, IDC_MODE_ALTERNATE2};

HANDLE& FileOf(void* context) {
    return *static_cast<HANDLE*>(context);
}

// Read and write for us, read only for anyone else while the file is open.
HANDLE OpenModeFile(DWORD disposition) {
    return CreateFileA(ModeFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

const ModeFileCalls FileCalls = {
    nullptr,
    [](void* context) {
        FileOf(context) = OpenModeFile(OPEN_EXISTING);
        return int(FileOf(context) != INVALID_HANDLE_VALUE);
    },
    [](void* context) {
        FileOf(context) = OpenModeFile(CREATE_ALWAYS);
        return int(FileOf(context) != INVALID_HANDLE_VALUE);
    },
    [](void* context, uint8_t* bytes, int count) {
        DWORD read = 0;
        if (SetFilePointer(FileOf(context), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !ReadFile(FileOf(context), bytes, DWORD(count), &read, nullptr))
            return 0;
        return int(read);
    },
    [](void* context, const uint8_t* bytes, int count) {
        DWORD written = 0;
        if (SetFilePointer(FileOf(context), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
            !WriteFile(FileOf(context), bytes, DWORD(count), &written, nullptr))
            return 0;
        return int(written == DWORD(count));
    },
    [](void* context) { CloseHandle(FileOf(context)); },
};

ModeFileCalls CallsOn(HANDLE& file) {
    ModeFileCalls calls = FileCalls;
    calls.context = &file;
    return calls;
}

} // namespace

void LoadPrintMode() {
    HANDLE file = INVALID_HANDLE_VALUE;
    PrintMode = ReadPrintModeFile(CallsOn(file));
}

void SavePrintMode() {
    // A failed write is not reported; the mode then holds for this run only.
    HANDLE file = INVALID_HANDLE_VALUE;
    WritePrintModeFile(CallsOn(file), PrintMode);
}

const DialogSpec PrintingDialog = {"PrintingDlg", PrintingDlgProc, false};

INT_PTR CALLBACK PrintingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // Any mode but 0, 1 and 2 checks none.
        if (PrintMode >= 0 && PrintMode <= 2)
            CheckRadioButton(dialog, ModeButtons[0], ModeButtons[2], ModeButtons[PrintMode]);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MODE_DEFAULT:
        case IDC_MODE_ALTERNATE1:
        case IDC_MODE_ALTERNATE2:
            // The buttons do not check themselves; the choice counts only at OK.
            CheckRadioButton(dialog, ModeButtons[0], ModeButtons[2], LOWORD(wParam));
            return TRUE;
        case IDOK:
            for (int mode = 0; mode < 3; ++mode)
                if (IsDlgButtonChecked(dialog, ModeButtons[mode]) == BST_CHECKED) {
                    PrintMode = mode;
                    break;
                }
            SavePrintMode();
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 2);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
