#pragma once

#include <QFont>
#include <QLabel>

namespace XQTestDev {

// A one-line label for a text that must be read whole where it can be: a
// serial number, an operator ID, a customer's name. A text too long for the
// label is set smaller, down to a size that still reads; only a text too long
// even then is cut, in the middle, so that both its start and its end (where
// serial numbers differ) stay in view. `text()` stays the whole text, and the
// whole text is the tooltip while it is cut.
class FitLabel : public QLabel {
    Q_OBJECT

public:
    static constexpr qreal DefaultSmallestPointSize = 7.0;

    explicit FitLabel(QWidget* parent = nullptr,
                      qreal smallestPointSize = DefaultSmallestPointSize);

    // Sets the text and fits it; QLabel::setText alone does not refit.
    void setFullText(const QString& text);

    // The font the label was designed with (the last one set from outside);
    // the shown font is this one or a smaller size of it.
    const QFont& designFont() const { return designFont_; }

    // What the label shows: the whole text, or its form cut in the middle.
    const QString& shownText() const { return shown_; }
    bool isCut() const { return shown_ != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refit();
    int inset() const;
    int textWidth() const;

    QFont designFont_;
    qreal smallestPointSize_;
    QString shown_;
    bool fitting_ = false; // the font changes because of a fit, not from outside
};

} // namespace XQTestDev
