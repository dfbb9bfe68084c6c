#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>

namespace XQTestDev {

// What the header shows, computed without its window.

// "Mmm d, yy hh:mm AM/PM", in English whatever the station's locale.
QString headerClockText(const QDateTime& now);

// The elapsed time of a run, "hh:mm:ss". "00:00:00" without a start time or
// when the clock was set back before it; hours wrap after a day, as the
// display reads as a time of day.
QString elapsedText(const QDateTime& start, const QDateTime& now);
// The time of day that such a text reads as; midnight when it reads as none.
QTime elapsedFromText(const QString& text);

// Which badge is on screen at one tick. While a run is active the unit is
// being tested: a PASS is not known before the last line, so the badge says
// TESTING until a line fails (a failed line is final). The badge blinks
// between bright and dim (`blinkOn` alternates from tick to tick), never to
// blank, so that a glance always finds it.
struct VerdictPictures {
    bool pass = false;
    bool fail = false;
    bool testing = false;
    bool dim = false;
};
VerdictPictures verdictPictures(const QString& verdict, bool runActive, bool passFailHidden,
                                bool blinkOn);

// The menu's X offset (twips) for a placement: centred for MenuCenter and
// every unknown value, 0 for MenuLeft, flush right for MenuRight. A header
// wider than the screen starts at the left edge.
int menuXOffsetFor(int position, int screenWidth, int headerWidth);

// The labels that carry run data, each with its caption.
QString operatorText(const QString& operatorId);
QString serialNumberText(const QString& serialNumber);
QString testIdText(const QString& testId);
QString customerPnText(const QString& customerPn);
QString ateIdText(const QString& ateId);
QString softwareVersionText(const QString& version);

} // namespace XQTestDev
