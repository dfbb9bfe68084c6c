#pragma once

#include <QLabel>
#include <QStringList>

namespace XQTestDev {

// A label of a few lines for a name that must not be cut mid-letter: the text
// breaks only between words, and when it needs more lines than the label
// holds (or one word is wider than a line) the last shown line ends with "…".
// `text()` stays the whole text, which is also the tooltip.
class WrapLabel : public QLabel {
    Q_OBJECT

public:
    explicit WrapLabel(QWidget* parent = nullptr);

    // Sets the text and lays it out; QLabel::setText alone does not.
    void setFullText(const QString& text);

    // The lines as shown, top to bottom.
    const QStringList& shownLines() const { return lines_; }
    bool isCut() const { return cut_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void layOut();

    QStringList lines_;
    bool cut_ = false;
};

// The lines of `text` broken between words to `width` pixels in `font`, at
// most `maxLines` of them; the last ends with "…" when the text goes on or a
// word does not fit a line. `cut` tells whether anything was left out.
QStringList wrapAtWords(const QString& text, const QFont& font, qreal width, int maxLines,
                        bool* cut = nullptr);

} // namespace XQTestDev
