#pragma once

#include "output/ReportPrinter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace XQTestDev::testing {

// A printer that keeps every printed line with the font it was printed in, and
// the end of each document. A test may make any line fail.
class RecordingPrinter final : public ReportPrinter {
public:
    struct Line {
        QString text;
        QString fontName;
        int fontSize = 0;
        bool bold = false;
        int document = 0; // counted from 0; endDocument() starts the next
    };

    // The font a fresh printer has before the report sets one.
    static inline const QString DefaultFont = QStringLiteral("Printer Default");

    PrinterResult setFontName(const QString& name) override;
    PrinterResult setFontSize(int points) override;
    PrinterResult setBold(bool bold) override;
    PrinterResult printLine(const QString& text) override;
    PrinterResult endDocument() override;
    PrinterResult probe() override;
    PrinterResult release() override;

    std::vector<Line> lines;
    int documentsEnded = 0;
    int probes = 0;
    int releases = 0;

    // Called before a line is kept; a failure is handed to the report as the
    // printer's refusal and the line is not kept.
    std::function<PrinterResult(const QString& text)> beforeLine;
    PrinterResult probeAnswer;

    QStringList texts() const;

private:
    QString fontName_ = DefaultFont;
    int fontSize_ = 10;
    bool bold_ = false;
};

} // namespace XQTestDev::testing
