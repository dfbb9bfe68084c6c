#include "output/SystemPrinter.h"

#include "frame/DurableFile.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace XQTestDev {

namespace {

bool pdfAskedFor() {
    const QByteArray asked = qgetenv("XQ_REPORT_PDF");
    return !asked.isEmpty() && asked != "0";
}

// A fixed-pitch family for the report: the one asked for when the system has
// it (or a metric twin such as Liberation Mono for "Courier New"), otherwise
// the system's own fixed-pitch font.
QString fixedPitchFamily(const QString& asked) {
    QFont font(asked);
    font.setStyleHint(QFont::TypeWriter);
    const QFontInfo found(font);
    if (found.fixedPitch())
        return found.family();
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

// Draws the report's lines on a QPrinter. Each endDocument() ends a page: on a
// real printer the page is its own print job, in a PDF it is the next page of
// the one file.
class QtReportPrinter final : public ReportPrinter {
public:
    QtReportPrinter(PrintTarget target, QString pdfPath)
        : target_(target), pdfPath_(std::move(pdfPath)), printer_(QPrinter::HighResolution) {
        printer_.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        if (target_ == PrintTarget::DefaultPrinter)
            printer_.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
        font_ = QFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    }

    ~QtReportPrinter() override {
        if (painter_.isActive())
            painter_.end();
    }

    PrinterResult setFontName(const QString& name) override {
        font_.setFamily(fixedPitchFamily(name));
        return {};
    }
    PrinterResult setFontSize(int points) override {
        font_.setPointSize(points);
        return {};
    }
    PrinterResult setBold(bool bold) override {
        font_.setBold(bold);
        return {};
    }

    PrinterResult printLine(const QString& text) override {
        if (PrinterResult started = startPage(); !started)
            return started;
        painter_.setFont(font_);
        const QFontMetricsF metrics(font_, &printer_);
        const double pageHeight =
            printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
        if (lineTop_ > 0 && lineTop_ + metrics.lineSpacing() > pageHeight) {
            // More lines than the paper holds: carry on on a new sheet.
            if (!printer_.newPage())
                return failedPrinter();
            lineTop_ = 0;
        }
        painter_.drawText(QPointF(0, lineTop_ + metrics.ascent()), text);
        lineTop_ += metrics.lineSpacing();
        return {};
    }

    PrinterResult endDocument() override {
        if (!painter_.isActive())
            return {};
        if (target_ == PrintTarget::DefaultPrinter) {
            if (!painter_.end())
                return failedPrinter();
        } else {
            pageEnded_ = true;
        }
        return {};
    }

    PrinterResult probe() override {
        printer_.setCopyCount(1);
        if (target_ == PrintTarget::DefaultPrinter && !printer_.isValid())
            return failedPrinter();
        return {};
    }

    PrinterResult release() override {
        if (painter_.isActive() && !painter_.end())
            return failedPrinter();
        if (target_ != PrintTarget::PdfFile || !spool_)
            return {};
        QFile written(spool_->fileName());
        if (!written.open(QIODevice::ReadOnly))
            return PrinterResult::failure(QStringLiteral("Cannot read the printed report %1: %2")
                                              .arg(written.fileName(), written.errorString()));
        const WriteResult saved = writeFileDurably(pdfPath_, written.readAll());
        spool_.reset();
        if (!saved)
            return PrinterResult::failure(saved.error);
        return {};
    }

private:
    PrinterResult startPage() {
        if (painter_.isActive() && !pageEnded_)
            return {};
        if (painter_.isActive()) { // a PDF page has ended: the next one follows
            pageEnded_ = false;
            lineTop_ = 0;
            return printer_.newPage() ? PrinterResult{} : failedPrinter();
        }
        if (target_ == PrintTarget::PdfFile && !spool_) {
            if (PrinterResult spooled = openSpool(); !spooled)
                return spooled;
        }
        lineTop_ = 0;
        if (!painter_.begin(&printer_))
            return failedPrinter();
        return {};
    }

    // The PDF is drawn into a temporary file beside its final name and only
    // replaces the last report's PDF when the report is released.
    PrinterResult openSpool() {
        spool_ = std::make_unique<OwnedTemporaryFile>(pdfPath_);
        if (!spool_->open()) {
            const QString reason = spool_->errorString();
            spool_.reset();
            return PrinterResult::failure(
                QStringLiteral("Cannot create the report PDF %1: %2").arg(pdfPath_, reason));
        }
        spool_->close();
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(spool_->fileName());
        return {};
    }

    PrinterResult failedPrinter() const {
        if (target_ == PrintTarget::PdfFile)
            return PrinterResult::failure(
                QStringLiteral("Cannot write the report PDF %1").arg(pdfPath_));
        const QString name = printer_.printerName();
        return PrinterResult::failure(
            name.isEmpty() ? QStringLiteral("No printer is ready")
                           : QStringLiteral("The printer %1 is not ready").arg(name));
    }

    PrintTarget target_;
    QString pdfPath_;
    QPrinter printer_;
    QPainter painter_;
    QFont font_;
    std::unique_ptr<OwnedTemporaryFile> spool_;
    double lineTop_ = 0;
    bool pageEnded_ = false;
};

} // namespace

PrintTarget choosePrintTarget() {
    if (pdfAskedFor() || QPrinterInfo::defaultPrinter().isNull())
        return PrintTarget::PdfFile;
    return PrintTarget::DefaultPrinter;
}

std::unique_ptr<ReportPrinter> makeSystemPrinter(PrintTarget target, const QString& pdfPath) {
    return std::make_unique<QtReportPrinter>(target, pdfPath);
}

} // namespace XQTestDev
