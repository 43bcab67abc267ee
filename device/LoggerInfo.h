#pragma once

#include <cstdint>

// What the program knows of the last logger it read; kept in the settings file so the
// window can label units without a logger at hand.
extern unsigned char g_flowUnitLitres;  // 1: litres per minute, 0: gallons per minute
extern unsigned char g_pressureUnit;    // 'p' (0x70) psi, 'b' (0x62) bar
extern int g_firmwareVersion;           // last firmware version word (0x0403 = 4.3)
extern int g_serialNumber;              // serial number of the last long settings block
