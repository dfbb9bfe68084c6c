#pragma once

#include <QString>

#include <array>

namespace XQTestDev {

// Everything the report prints about the unit, read from PRODUCTS.INI, ATE.INI
// and the results file before the first line is printed.
struct ReportHeader {
    // PRODUCTS.INI, the product's section
    QString customerName;
    QString localPN;
    QString customerPN;
    QString localAssyPN;
    std::array<QString, 4> remarkLabels;
    // PRODUCTS.INI, the product's spec section
    QString printGroupOrder;
    // ATE.INI
    QString ateId;
    QString linesPerPageSetting;
    // the results section
    QString verdict;
    QString testId;
    QString model;
    QString revision;
    QString operatorId;
    QString serialNumber;
    QString workOrder;
    QString startTime;
    QString endTime;
    std::array<QString, 4> remarkValues;
    int remarkValuesRead = 0;
};

// Reads the header of `product`'s report. A missing ATE.INI is named once in a
// message (PRODUCTS.INI is named by whoever reads its test lines); its values
// read as empty.
ReportHeader readReportHeader(const QString& product);

// "LP-100 (M1)": the local part number and, when a model is recorded, the model.
QString projectNumber(const ReportHeader& header);
// "CP-200 (B)": the customer part number and, when recorded, the revision.
QString customerNumber(const ReportHeader& header);
// "SN0001 (W/O WO-55)": the serial number and, when recorded, the work order.
QString serialNumber(const ReportHeader& header);

} // namespace XQTestDev
