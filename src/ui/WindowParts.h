#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QPixmap;
class QWidget;

namespace XQTestDev {

// The labels and pictures the windows are built from. Each carries the name
// the station program's tests find it by; places are in pixels (see
// twipsRect for places designed in twips).

// A caption whose place its window's layout gives later.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text = {});

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& at, const QString& text = {},
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// Names and places a label of a kind of its own (one that fits or wraps its
// text) as makeLabel does.
QLabel* nameAndPlace(QLabel* label, const QString& name, const QRect& at,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

enum class PictureFit {
    AsPainted,   // at its own size, centred in its place
    ScaledToFit, // scaled to its place, its proportions kept
};

// The property of a scaled picture's label that holds its source picture.
inline constexpr const char* SourcePictureProperty = "xqSourcePicture";

QLabel* makePicture(QWidget* parent, const QString& name, const QRect& at, const QPixmap& picture,
                    PictureFit fit = PictureFit::AsPainted);

} // namespace XQTestDev
