#pragma once

#include <QString>

#include <optional>

namespace XQTestDev {

// The fixed-pitch page of the report: titles centred on column 40 of an
// 80-column page, every other line indented by seven blanks. The functions
// below give whole printed lines, indent included.

inline constexpr int ReportIndent = 7;
inline constexpr int InformationLeftWidth = 66;
inline constexpr int LabelWidth = 14;
inline constexpr int RemarkLabelLength = 13;
inline constexpr int LongestDescription = 37;

inline constexpr int LongestCentredText = 81;

// The blanks that centre a text of this length: 40 minus half the length,
// rounded half to even. Nothing when the text is too long to centre (82
// characters or more).
std::optional<int> centringBlanks(qsizetype length);
std::optional<QString> centred(const QString& text);

// A text of at most `width` characters: a longer one is cut so that its last
// character is "~", the mark every clipped field of the report carries.
QString clipped(const QString& text, int width);

// A title or verdict line: clipped to the 81 characters that can be centred,
// then centred. A long customer name or test ID is a fact about the unit, not
// a reason to print no report.
QString centredHeading(const QString& text);

// "<customer> <product> Test Report", with " (<test ID>)" unless the test ID
// is exactly "Production".
QString titleText(const QString& customer, const QString& product, const QString& testId);
// "***<verdict>***"
QString verdictText(const QString& verdict);

QString indented(const QString& text);

// A label of 14 characters and its value padded to 66, then the right label
// and its value. A left part longer than 66 characters is clipped to 66, so a
// long serial number or remark never stops the report.
QString informationLine(const QString& leftLabel, const QString& leftValue,
                        const QString& rightLabel, const QString& rightValue);

// A remark caption cut to 13 characters and padded with blanks to 14.
QString remarkLabel(const QString& caption);

QString columnHeading();
QString ruleLine();
QString groupHeading(const QString& group);
QString continuationHeading(const QString& group);

// The printed cells of one test line, each already formatted.
struct TestLineCells {
    QString description;
    QString minimum;
    QString maximum;
    QString result;
    QString unit;
    QString verdict;
};

// A value right-aligned in `width` columns; one that does not fit is cut so
// that its last visible character is "~".
QString rightAligned(const QString& value, int width);

// Description in 38 (left-aligned), minimum and maximum in 11, result in 10,
// unit in 8, two blanks, verdict in 9.
QString testLine(const TestLineCells& cells);

QString pageFooter(int page);
QString endLine(int pageCount);

// The line printed when no end tag is found.
QString missingEndTagLine();

} // namespace XQTestDev
