#include "run/UserEntryChoices.h"

#include <XQTestDev/XQUtility32.h>

#include "frame/LibraryState.h"
#include "frame/MessageBox.h"
#include "run/EntryText.h"

namespace XQTestDev {

namespace {

QString stationValue(const char* key) {
    return sharedUtility().ReadINI(true, QStringLiteral("ATE Configuration"), QLatin1String(key));
}

} // namespace

StationEntryLists readStationEntryLists() {
    StationEntryLists lists;
    lists.testIds = listItemsAsWritten(stationValue("TestID"));
    lists.products = trimmedListItems(stationValue("TestProduct"));
    if (lists.products.isEmpty())
        return lists;
    lists.productDefault = stationValue("TestProductDefault").trimmed();
    lists.testIdDefault = stationValue("TestIDDefault");
    lists.customerLogo = stationValue("CustomerLogo").trimmed();
    return lists;
}

ProductEntryLists readProductEntryLists(const QString& product) {
    XQUtility32& utility = sharedUtility();
    ProductEntryLists lists;
    lists.models = trimmedListItems(utility.ReadINI(false, product, QStringLiteral("Model")));
    lists.revisions = trimmedListItems(utility.ReadINI(false, product, QStringLiteral("Revision")));
    const QStringList captions =
        trimmedListItems(utility.ReadINI(false, product, QStringLiteral("Remark")));
    if (captions.size() > MaxRemarkRows)
        showExclamation(
            QStringLiteral("Remake fields is exceeded than 4, Please check products.ini!"));
    else
        lists.remarkCaptions = captions;
    return lists;
}

int userEntryHeightTwips(int remarkRows) {
    return remarkRows <= 0 ? 3615 : 3680 + 415 * remarkRows;
}

} // namespace XQTestDev
