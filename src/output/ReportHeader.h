#pragma once

#include "frame/RunRecord.h"

#include <QString>

#include <array>

namespace XQTestDev {

// Everything the report prints about the unit: the product's and the
// station's configuration from PRODUCTS.INI and ATE.INI, and the run as its
// record holds it, gathered before the first line is printed.
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
    // the run, as the results file holds it
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

// The header of the report of `run`. A missing ATE.INI is named once in a
// message (PRODUCTS.INI is named by whoever reads its test lines); its values
// read as empty.
ReportHeader readReportHeader(const RunRecord& run);

// "LP-100 (M1)": the local part number and, when a model is recorded, the model.
QString projectNumber(const ReportHeader& header);
// "CP-200 (B)": the customer part number and, when recorded, the revision.
QString customerNumber(const ReportHeader& header);
// "SN0001 (W/O WO-55)": the serial number and, when recorded, the work order.
QString serialNumber(const ReportHeader& header);

} // namespace XQTestDev
