#pragma once
// The converters' settings in the settings store: sections "DwgLoad" and "DwgSave" (ACadConvSetting),
// "SxfSave" (SXFSetting) and "PdfSave" (PdfSetting). Integers as numbers, doubles as 8-byte binaries; a
// value that is missing keeps what the object holds, and values outside their ranges load as defaults.

#include "platform/afx/AfxTypes.h"

class ACadConvSetting;
class PdfSetting;
class SXFSetting;

// nMode 0 reads, 1 writes. TRUE when every write succeeded (reading always succeeds).
BOOL ExchangeDwgLoadSettings(ACadConvSetting& setting, int nMode);
BOOL ExchangeDwgSaveSettings(ACadConvSetting& setting, int nMode);
BOOL ExchangeSxfSaveSettings(SXFSetting& setting, int nMode);
BOOL ExchangePdfSaveSettings(PdfSetting& setting, int nMode);

void LoadAcadConvSetting(ACadConvSetting& setting);
void SaveAcadConvSetting(ACadConvSetting& setting);
void LoadSxfSetting(SXFSetting& setting);
void SaveSxfSetting(SXFSetting& setting);
void LoadPdfSetting(PdfSetting& setting);
void SavePdfSetting(PdfSetting& setting);
