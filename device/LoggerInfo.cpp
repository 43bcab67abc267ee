#include "device/LoggerInfo.h"

#include "device/SettingsBlock.h"

unsigned char g_flowUnitLitres = 1;
unsigned char g_pressureUnit = 'b';
int g_firmwareVersion = 0;
int g_serialNumber = 0;

void RememberLogger(const SettingsBlock& block) {
  g_firmwareVersion = block.FirmwareVersion();
  g_flowUnitLitres = block.flowUnitLitres() ? 1 : 0;
  g_pressureUnit = block.pressureUnit();
  if (block.IsLong()) g_serialNumber = block.serialNumber();
}

void RememberUnits(int flowUnitLitres, char pressureUnit) {
  g_flowUnitLitres = static_cast<unsigned char>(flowUnitLitres & 0xFF);
  g_pressureUnit = static_cast<unsigned char>(pressureUnit);
}
