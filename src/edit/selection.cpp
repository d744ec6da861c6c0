// selection.cpp - selecting and deselecting objects as a whole.
#include "edit/selection.h"

#include "edit/select.h"
#include "model/iwo.h"

int selectall(int flag) {
    for (int k = 1; k < IWONumber; k++) IWO[k].selected = (int16_t)(flag ? 1 : 0);
    if (flag) {
        selectedIWO = (int16_t)(IWONumber - 1);
        numIWOselected = (int16_t)(IWONumber - 1);
    } else {
        selectedIWO = -99;
        numIWOselected = 0;
        IWOselected = 0;
    }
    return 1;
}
