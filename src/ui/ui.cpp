// ui.cpp - the user-interface state that the layers below the application share,
// and the layout of the tool palette's buttons.
#include "ui/ui.h"

int16_t IWObutton[3][13];
int16_t IWObuttonTab = 0;
int16_t IWObuttonNo = 0;
int16_t selectedgadget = 0;

int16_t propwindowopen = 0;

int paletteposition(const int16_t (&buttons)[3][13], int tab, int tool) {
    if (tab < 0 || tab >= PALETTETABS) return 0;
    for (int b = 1; b <= PALETTEBUTTONS; b++)
        if (buttons[tab][b] == tool) return b;
    return 0;
}

void movepalette(PaletteMove move, int &tab, int &position) {
    int &b = position;
    switch (move) {
    case PaletteMove::NextTab:
        tab = (tab + 1) % PALETTETABS;
        if (b < 1) b = 1;
        break;
    case PaletteMove::Up:
        b = b - 2 < 1 ? b + PALETTEBUTTONS - 2 : b - 2;
        break;
    case PaletteMove::Down:
        b = b + 2 > PALETTEBUTTONS ? b - (PALETTEBUTTONS - 2) : b + 2;
        break;
    case PaletteMove::Across:
        if (b < 1)
            b = 1;
        else
            b = (b % 2 == 1) ? b + 1 : b - 1;
        break;
    }
}
