#include "device/LoggerInfo.h"

unsigned char g_flowUnitLitres = 1;
unsigned char g_pressureUnit = 'b';
int g_firmwareVersion = 0;
int g_serialNumber = 0;
