// Placeholder bodies until the drawing, erase and damage code lands.
#include "render/draw.h"
#include "render/erase.h"

int16_t Damagex, Damagey, Damagewidth, Damageheight;
int16_t SHADOWIWODRAWN = 0;
int16_t shadowcolour = 9;
int16_t backboardcolour = 0;
int drawIWO(int) { return 1; }
int cleardrawspace(int) { return 1; }
int updateIWOall(int, int) { return 1; }
int refreshIWOall() { return 1; }
int eraseIWO(int, int, int) { return 1; }
int ResetDamage() { return 1; }
int CheckDamage(int) { return 1; }
int FixDamage() { return 1; }
int drawshadowiwo() { return 1; }
int removeshadowiwo() { return 1; }
int groupshadow(int) { return 1; }
