# Prints the cursor the X display shows: width, height, hot spot and a digest of its pixels.
import ctypes
import hashlib

class Image(ctypes.Structure):
    _fields_ = [(n, t) for n, t in zip(('x', 'y', 'w', 'h', 'xhot', 'yhot'), [ctypes.c_short] * 2 + [ctypes.c_ushort] * 4)] + \
        [('serial', ctypes.c_ulong), ('pixels', ctypes.POINTER(ctypes.c_ulong))]

x11, fixes = ctypes.CDLL('libX11.so.6'), ctypes.CDLL('libXfixes.so.3')
x11.XOpenDisplay.restype = ctypes.c_void_p
fixes.XFixesGetCursorImage.restype, fixes.XFixesGetCursorImage.argtypes = ctypes.POINTER(Image), [ctypes.c_void_p]
im = fixes.XFixesGetCursorImage(x11.XOpenDisplay(None)).contents
pixels = b''.join((im.pixels[i] & 0xFFFFFFFF).to_bytes(4, 'little') for i in range(im.w * im.h))
print(im.w, im.h, im.xhot, im.yhot, hashlib.sha1(pixels).hexdigest()[:16])
