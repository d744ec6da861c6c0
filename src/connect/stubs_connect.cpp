// Placeholder bodies until the connector code lands.
#include "connect/connect.h"

int calcconnectorpoints(int) { return 1; }
int resetconnectorpoints(int) { return 1; }
int remakeconnectors() { return 1; }
int duplicateconnectors() { return 1; }
int deleteconnector(int) { return 0; }
int foldnode(int) { return 1; }
