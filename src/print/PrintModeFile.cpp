// The bytes of printer.dta and the order of the file calls that read and write them.
#include "print/PrintModeFile.h"

int32_t PrintModeFromBytes(const uint8_t* bytes, int count) {
    uint32_t mode = 0;
    for (int i = 0; i < count && i < PrintModeBytes; ++i)
        mode |= uint32_t(bytes[i]) << (8 * i);
    return int32_t(mode);
}

void PrintModeToBytes(int32_t mode, uint8_t bytes[PrintModeBytes]) {
    for (int i = 0; i < PrintModeBytes; ++i)
        bytes[i] = uint8_t(uint32_t(mode) >> (8 * i));
}

int32_t ReadPrintModeFile(const ModeFileCalls& calls) {
    uint8_t bytes[PrintModeBytes] = {};
    if (!calls.open(calls.context)) {
        if (!calls.create(calls.context))
            return 0;
        // A new file starts out holding the mode of a first run.
        calls.writeStart(calls.context, bytes, PrintModeBytes);
    }
    const int count = calls.readStart(calls.context, bytes, PrintModeBytes);
    calls.close(calls.context);
    return PrintModeFromBytes(bytes, count < 0 ? 0 : count);
}

int WritePrintModeFile(const ModeFileCalls& calls, int32_t mode) {
    if (!calls.open(calls.context) && !calls.create(calls.context))
        return 0;
    uint8_t bytes[PrintModeBytes];
    PrintModeToBytes(mode, bytes);
    const int written = calls.writeStart(calls.context, bytes, PrintModeBytes);
    calls.close(calls.context);
    return written;
}
