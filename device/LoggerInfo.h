#pragma once

#include <cstdint>

// What the program knows of the last logger it read; kept in the settings file so the
// window can label units without a logger at hand.
extern unsigned char g_flowUnitLitres;  // 1: litres per minute, 0: gallons per minute
extern unsigned char g_pressureUnit;    // 'p' (0x70) psi, 'b' (0x62) bar
extern int g_firmwareVersion;           // last firmware version word (0x0403 = 4.3)
extern int g_serialNumber;              // serial number of the last long settings block

class SettingsBlock;

// Takes the identity and units of the logger a settings block came from: firmware version,
// flow and pressure units, and the serial number when the block carries one. Every reader
// of a block goes through here, so the four values always describe one logger.
void RememberLogger(const SettingsBlock& block);
// Takes the units of a recording read from a work file; the logger's identity stays.
void RememberUnits(int flowUnitLitres, char pressureUnit);
