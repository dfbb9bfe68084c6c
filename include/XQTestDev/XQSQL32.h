#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QObject>
#include <QString>

#include <memory>

namespace XQTestDev {

class XQSQL32Private;

// The database record of a finished run: one row per unit, in an SQLite file
// on the station (msAccess) or on a PostgreSQL server (msSQLServer). A row that
// cannot be stored is kept as a backup statement in XQDATABAK/<product>/ of the
// results folder and stored by a later write of the same product.
class XQTESTDEV_EXPORT XQSQL32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQSQL32)

public:
    explicit XQSQL32(QObject* parent = nullptr);
    ~XQSQL32() override;

    // Stores the current run of ProductName (empty: the product chosen at user
    // entry). An empty SoftwareVersion stores the version held for the run; an
    // empty DatabaseName the one of ATE.INI. The outcome is written to the
    // results file as LastAccessDatabase; failures are shown to the operator.
    void WriteDatabase(const QString& ProductName = QString(),
                       const QString& SoftwareVersion = QString(), DBType DatabaseType = msAccess,
                       const QString& DatabaseName = QString());

private:
    std::unique_ptr<XQSQL32Private> d;
};

} // namespace XQTestDev
