#pragma once

#include <QFont>
#include <QString>

namespace XQTestDev {

// What a narrow cell of a group window shows for a text: the text as shown
// when it fits, in a font made smaller as far as `minimumPointSize` when it
// must be. A number that still does not fit is rounded to the significant
// digits that fit, never cut; any other text is elided with "…".
struct FittedCell {
    QString text;
    QFont font;
    bool number = false; // the text reads as a number (numbers are right-aligned)
    bool whole = true;   // the text is shown as given
};

inline constexpr qreal MinimumCellPointSize = 6.0;

// No text of more characters than this fits a cell so wide (pixels).
int mostCharactersThatFit(int widthPixels);

// `digitsNeeded`: the significant digits a rounded number keeps so that it
// stays apart from the other numbers of its row (see digitsToTellApart).
FittedCell fitCell(const QString& shown, const QFont& font, int widthPixels,
                   qreal minimumPointSize = MinimumCellPointSize, int digitsNeeded = 1);

} // namespace XQTestDev
