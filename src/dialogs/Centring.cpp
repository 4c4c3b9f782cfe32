// Centring in dialog units.
#include "dialogs/Centring.h"

int CentreOffsetFor(int dialogUnits, int pixels, int verticalBaseUnit) {
    return dialogUnits / 2 * verticalBaseUnit / 8 - pixels / 2;
}
