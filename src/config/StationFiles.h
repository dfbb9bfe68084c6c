#pragma once

#include "config/IniDocument.h"
#include "config/IniStore.h"
#include "frame/DurableFile.h"

#include <QString>

namespace XQTestDev {

// The three INI files of a station.
enum class StationFile { Ate, Products, Results };

// Which file a ReadINI/WriteINI reaches: the results file whenever the section
// names "Test Results" or the key names "LastAccessDatabase" or
// "TestSoftwareVersion" (substrings, case respected), else by the flag.
StationFile chooseStationFile(bool ateFlag, const QString& section, const QString& key);

// The file's path (matched without regard to case in its folder).
QString stationFilePath(StationFile file);

// The parsed file, or nullptr when it does not exist.
const IniDocument* stationDocument(StationFile file);
bool stationFileExists(StationFile file);

// A key's value without any message; empty when file, section or key is missing.
QString readStationValue(StationFile file, const QString& section, const QString& key);

// Writes without any message; the caller decides what a failure means.
WriteResult writeStationValue(StationFile file, const QString& section, const QString& key,
                              const QString& value);
IniBatch stationBatch(StationFile file);

// "ATE.INI file is missing!, please check you INIPath property." and its
// PRODUCTS.INI twin.
QString missingFileMessage(StationFile file);

// Where the last report lives: "XQ_Report.txt" in the results folder, spelled
// exactly so; the report writes it and the header's "Open Last Report" opens it.
QString reportFilePath();

// The PDF that stands in for the printer on a station without one.
QString reportPdfPath();

} // namespace XQTestDev
