#include "ui/MessageFit.h"

#include <QTextDocument>
#include <QTextOption>

namespace XQTestDev {

qreal messageHeight(const QString& message, const QFont& font, const MessageArea& area) {
    QTextDocument document;
    document.setDefaultFont(font);
    document.setDocumentMargin(area.documentMargin);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    document.setPlainText(message);
    document.setTextWidth(area.size.width());
    return document.size().height();
}

QFont fittingMessageFont(const QString& message, const QFont& font, const MessageArea& area,
                         int smallestPointSize) {
    QFont fitted = font;
    while (fitted.pointSize() > smallestPointSize &&
           messageHeight(message, fitted, area) > area.size.height())
        fitted.setPointSize(fitted.pointSize() - 1);
    return fitted;
}

} // namespace XQTestDev
