// Wave effects played from memory, one at a time, and the background music looped through MCI.
#include "sound/Sound.h"

#include <cstring>
#include <initializer_list>

const void* EffectTable[9];
int MusicStopped;

namespace {

MCIERROR Mci(const char* command, HWND callback) {
    return mciSendStringA(command, nullptr, 0, callback);
}

// A sound held in memory is named by its address.
BOOL PlayFromMemory(const void* sound, DWORD flags) {
    return PlaySoundA(static_cast<const char*>(sound), nullptr, flags);
}

void Rewind() {
    Mci("seek MainMidi to start wait", nullptr);
}

void PlayNotify(HWND window) {
    Mci("play MainMidi notify", window);
}

} // namespace

void LoadEffects(HINSTANCE instance) {
    for (int number = 1; number <= 8; ++number) {
        HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(number), "WAVE");
        HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
        EffectTable[number] = loaded ? LockResource(loaded) : nullptr;
    }
}

void PlayEffect(int number) {
    PlayFromMemory(EffectTable[number], SND_ASYNC | SND_MEMORY);
}

void LoopEffect(int number) {
    PlayFromMemory(EffectTable[number], SND_ASYNC | SND_MEMORY | SND_LOOP);
}

void StopEffect() {
    PlayFromMemory(nullptr, 0);
}

void OpenMusic() {
    char command[256];
    std::strcpy(command, "open");
    for (const char* part : {" ", ".\\hueberry.mid", " ", "alias MainMidi", " ", "type sequencer"})
        std::strcat(command, part);
    Mci(command, nullptr);
    Rewind();
}

void StartMusic(HWND window) {
    MusicStopped = 0;
    Rewind();
    PlayNotify(window);
}

void ReplayMusic(HWND window) {
    if (MusicStopped)
        return;
    Rewind();
    PlayNotify(window);
}

void StopMusic() {
    // Raised first, so the notice that the stop itself causes does not start the music again.
    MusicStopped = 1;
    Mci("stop MainMidi", nullptr);
}

void CloseMusic() {
    Mci("close MainMidi", nullptr);
}
