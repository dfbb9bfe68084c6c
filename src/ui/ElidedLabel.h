#pragma once

#include <QLabel>

namespace XQTestDev {

// A one-line label that shows a text too long for it cut at the end with "…"
// instead of cut mid-character at its edge. `text()` stays the whole text; the
// whole text is also the tooltip while it is cut.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    // What the label shows: the text, or its elided form when it is too long.
    QString shownText() const;
    bool isElided() const { return shownText() != text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int inset() const;
    int textWidth() const;
    void updateToolTip();
};

} // namespace XQTestDev
