#include "output/RecordingPrinter.h"

namespace XQTestDev::testing {

PrinterResult RecordingPrinter::setFontName(const QString& name) {
    fontName_ = name;
    return {};
}

PrinterResult RecordingPrinter::setFontSize(int points) {
    fontSize_ = points;
    return {};
}

PrinterResult RecordingPrinter::setBold(bool bold) {
    bold_ = bold;
    return {};
}

PrinterResult RecordingPrinter::printLine(const QString& text) {
    if (beforeLine) {
        if (PrinterResult answer = beforeLine(text); !answer)
            return answer;
    }
    lines.push_back({text, fontName_, fontSize_, bold_, documentsEnded});
    return {};
}

PrinterResult RecordingPrinter::endDocument() {
    ++documentsEnded;
    return {};
}

PrinterResult RecordingPrinter::probe() {
    ++probes;
    return probeAnswer;
}

PrinterResult RecordingPrinter::release() {
    ++releases;
    return {};
}

QStringList RecordingPrinter::texts() const {
    QStringList out;
    for (const Line& line : lines)
        out << line.text;
    return out;
}

} // namespace XQTestDev::testing
