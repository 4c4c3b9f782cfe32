// Wave effects played from memory, one at a time, and the looped background music.
#pragma once
#include <windows.h>

#include <mmsystem.h>

extern const void* EffectTable[9]; // entries 1-8: the WAVE resources; 0 unused
extern int MusicStopped;

void LoadEffects(HINSTANCE instance);
void PlayEffect(int number);
void LoopEffect(int number);
void StopEffect();
void OpenMusic();
void StartMusic(HWND window);
void ReplayMusic(HWND window);
void StopMusic();
void CloseMusic();
