#include "ui/WindowParts.h"

#include "ui/Pictures.h"

#include <QLabel>
#include <QPixmap>
#include <QVariant>

namespace XQTestDev {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& at, const QString& text,
                  Qt::Alignment alignment) {
    return nameAndPlace(new QLabel(text, parent), name, at, alignment);
}

QLabel* nameAndPlace(QLabel* label, const QString& name, const QRect& at, Qt::Alignment alignment) {
    label->setObjectName(name);
    label->setGeometry(at);
    label->setAlignment(alignment);
    return label;
}

QLabel* makePicture(QWidget* parent, const QString& name, const QRect& at, const QPixmap& picture,
                    PictureFit fit) {
    QLabel* label = makeLabel(parent, name, at, {}, Qt::AlignCenter);
    const bool scale = fit == PictureFit::ScaledToFit && !picture.isNull();
    label->setPixmap(scale ? sharpFitted(picture, at.size()) : picture);
    // A window that is scaled afterwards fits the picture again from its source.
    if (scale)
        label->setProperty(SourcePictureProperty, QVariant::fromValue(picture));
    return label;
}

} // namespace XQTestDev
