#pragma once

#include <QString>
#include <QStringList>

namespace XQTestDev {

// The lists the user entry offers from ATE.INI [ATE Configuration].
struct StationEntryLists {
    QStringList testIds;  // TestID, items as written
    QStringList products; // TestProduct, trimmed items; empty: nothing can be chosen
    QString productDefault;
    QString testIdDefault;
    QString customerLogo; // CustomerLogo, trimmed
};

// Reads TestID and TestProduct; the other keys only when there are products
// to choose from.
StationEntryLists readStationEntryLists();

// The lists the user entry offers for one product from PRODUCTS.INI.
struct ProductEntryLists {
    QStringList models;
    QStringList revisions;
    QStringList remarkCaptions; // at most four; none when the product names more
};

inline constexpr int MaxRemarkRows = 4;

// Reads Model, Revision and Remark of the product; more than four remark
// captions show "Remake fields is exceeded than 4, Please check products.ini!"
// and give no remark rows.
ProductEntryLists readProductEntryLists(const QString& product);

// The window's height: 3615 twips without remark rows, 3680 + 415 x n with n.
int userEntryHeightTwips(int remarkRows);

} // namespace XQTestDev
