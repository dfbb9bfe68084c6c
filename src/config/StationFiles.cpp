#include "config/StationFiles.h"

#include "config/FileLookup.h"
#include "frame/LibraryState.h"

namespace XQTestDev {

namespace {

const QString& directoryOf(StationFile file) {
    return file == StationFile::Results ? library().resultsDirectory : library().iniDirectory;
}

QString fileNameOf(StationFile file) {
    switch (file) {
    case StationFile::Ate:
        return QStringLiteral("ATE.INI");
    case StationFile::Products:
        return QStringLiteral("PRODUCTS.INI");
    case StationFile::Results:
        return QStringLiteral("XQResults.ini");
    }
    return {};
}

// Where each station file was found, for the directory it was looked up in;
// asked on every ReadINI, so it must not cost a directory scan or a hash.
struct FoundFile {
    QString directory;
    QString path;
};

FoundFile& foundFile(StationFile file) {
    static FoundFile found[3];
    return found[static_cast<int>(file)];
}

} // namespace

StationFile chooseStationFile(bool ateFlag, const QString& section, const QString& key) {
    if (section.contains(QLatin1String("Test Results")) ||
        key.contains(QLatin1String("LastAccessDatabase")) ||
        key.contains(QLatin1String("TestSoftwareVersion")))
        return StationFile::Results;
    return ateFlag ? StationFile::Ate : StationFile::Products;
}

QString stationFilePath(StationFile file) {
    FoundFile& found = foundFile(file);
    const QString& directory = directoryOf(file);
    if (found.path.isEmpty() || found.directory != directory) {
        found.directory = directory;
        found.path = findFileIgnoringCase(directory, fileNameOf(file));
    }
    return found.path;
}

const IniDocument* stationDocument(StationFile file) {
    const QString path = stationFilePath(file);
    if (const IniDocument* document = IniStore::instance().document(path))
        return document;
    // The file we knew may have been renamed, or created under another case.
    FoundFile& found = foundFile(file);
    found.path = refindFileIgnoringCase(found.directory, fileNameOf(file));
    return found.path == path ? nullptr : IniStore::instance().document(found.path);
}

bool stationFileExists(StationFile file) {
    return stationDocument(file) != nullptr;
}

QString readStationValue(StationFile file, const QString& section, const QString& key) {
    const IniDocument* document = stationDocument(file);
    return document ? document->value(section, key).value_or(QString()) : QString();
}

WriteResult writeStationValue(StationFile file, const QString& section, const QString& key,
                              const QString& value) {
    IniBatch batch = stationBatch(file);
    batch.set(section, key, value);
    return batch.commit();
}

IniBatch stationBatch(StationFile file) {
    stationDocument(file); // settles which spelling of the name is on disk
    return IniBatch(stationFilePath(file));
}

QString missingFileMessage(StationFile file) {
    return file == StationFile::Products
               ? QStringLiteral("PRODUCTS.INI file is missing!, please check you INIPath property.")
               : QStringLiteral("ATE.INI file is missing!, please check you INIPath property.");
}

QString reportFilePath() {
    return library().resultsDirectory + QStringLiteral("XQ_Report.txt");
}

QString reportPdfPath() {
    return library().resultsDirectory + QStringLiteral("XQ_Report.pdf");
}

} // namespace XQTestDev
