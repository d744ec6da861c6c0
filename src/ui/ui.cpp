// ui.cpp - the user-interface state that the layers below the application share,
// and the layout of the tool palette's buttons.
#include "ui/ui.h"

int16_t IWObutton[PALETTETABS][PALETTEBUTTONS + 1];
int16_t IWObuttonTab = 0;
int16_t IWObuttonNo = 0;
int16_t selectedgadget = 0;

int16_t propwindowopen = 0;

int paletteposition(const int16_t (&buttons)[PALETTETABS][PALETTEBUTTONS + 1], int tab, int tool) {
    if (tab < 0 || tab >= PALETTETABS) return 0;
    for (int b = 1; b <= PALETTEBUTTONS; b++)
        if (buttons[tab][b] == tool) return b;
    return 0;
}

void movepalette(PaletteMove move, int &tab, int &position) {
    switch (move) {
    case PaletteMove::NextTab:
        tab = (tab + 1) % PALETTETABS;
        if (position < 1) position = 1;
        break;
    case PaletteMove::Up:
        position = position - 2 < 1 ? position + PALETTEBUTTONS - 2 : position - 2;
        break;
    case PaletteMove::Down:
        position = position + 2 > PALETTEBUTTONS ? position - (PALETTEBUTTONS - 2) : position + 2;
        break;
    case PaletteMove::Across:
        if (position < 1)
            position = 1;
        else
            position = (position % 2 == 1) ? position + 1 : position - 1;
        break;
    }
}
