# Writes resources/art.rc, the resource script lines for every generated asset: resources_rc.py OUTPUT_ROOT
import os
import sys

OUT = sys.argv[1]
BITMAPS = ['DotPattern', 'TitleArea', 'Titles', 'QuitBtn', 'QuitBtnDn', 'PrintBtn', 'PrintBtnDn', 'ClearBtn',
           'ClearBtnDn', 'InfoBtn', 'InfoBtnDn', 'UpBtn', 'UpBtnDn', 'DownBtn', 'DownBtnDn', 'ColorBtn',
           'ColorBtnDn', 'IntroScr', 'CopyRight']

lines = ['// Artwork, sounds, cursor and icon (written by art/build.sh; edit the generator, not this file).', '']
lines += ['%-12s BITMAP "bitmaps/%s.bmp"' % (name.upper(), name) for name in BITMAPS]
lines += ['', 'EDITCURSOR   CURSOR "EditCursor.cur"', 'HUEBERRYICON ICON   "HueberryIcon.ico"', '']
lines += ['%-12d WAVE   "sounds/%d.wav"' % (n, n) for n in range(1, 9)]
lines += ['CLEARWAVE    WAVE   "sounds/ClearWave.wav"', '']
os.makedirs(os.path.join(OUT, 'resources'), exist_ok=True)
with open(os.path.join(OUT, 'resources', 'art.rc'), 'w', newline='\n') as f:
    f.write('\n'.join(lines))
