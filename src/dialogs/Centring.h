// Centring in dialog units: where the intro's pictures go inside its dialog.
#pragma once

// The left offset that centres a width of pixels in a width of dialog units, for a vertical dialog
// base unit (the system font's height in pixels): the halved units scaled by base / 8, less half
// the pixels, each division truncating.
int CentreOffsetFor(int dialogUnits, int pixels, int verticalBaseUnit);
