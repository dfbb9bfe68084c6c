// xq_colour_vision <picture.png>...: writes <picture>-deuteranopia.png and
// <picture>-protanopia.png beside each picture, for a look at screens saved
// by the demo (scripts/render-screens.sh).

#include "support/ColourVision.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    int failures = 0;
    for (const QString& path : app.arguments().mid(1)) {
        const QImage picture(path);
        QString stem = path;
        stem.chop(4); // ".png"
        if (picture.isNull() ||
            !XQTestDev::testing::asDeuteranope(picture).save(stem +
                                                             QStringLiteral("-deuteranopia.png")) ||
            !XQTestDev::testing::asProtanope(picture).save(stem +
                                                           QStringLiteral("-protanopia.png"))) {
            QTextStream(stderr) << "cannot simulate " << path << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
