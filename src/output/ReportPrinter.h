#pragma once

#include <QString>

namespace XQTestDev {

// What one printer operation gave back: nothing, or the printer's own words
// for why it refused.
struct PrinterResult {
    bool ok = true;
    QString error;

    explicit operator bool() const { return ok; }
    static PrinterResult failure(QString text) { return {false, std::move(text)}; }
};

// The printer as the report sees it: a fixed-pitch line printer with a font
// name, a size and a bold switch. Each page of the report is a document of its
// own; release() hands whatever was printed to the printer (or the file) for
// good and is the last call the report makes.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    virtual PrinterResult setFontName(const QString& name) = 0;
    virtual PrinterResult setFontSize(int points) = 0;
    virtual PrinterResult setBold(bool bold) = 0;
    virtual PrinterResult printLine(const QString& text) = 0;
    virtual PrinterResult endDocument() = 0;

    // Sets one harmless setting (the number of copies) to 1 to see whether a
    // printer answers at all; the report carries on whatever it says.
    virtual PrinterResult probe() = 0;

    virtual PrinterResult release() = 0;
};

} // namespace XQTestDev
