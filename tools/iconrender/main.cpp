// kurvex-iconrender: renders an SVG file into a square PNG of the given size,
// for the fixed-size icons installed beside the scalable one.
//
//   kurvex-iconrender IN.svg OUT.png SIZE

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("Aufruf: kurvex-iconrender EINGABE.svg AUSGABE.png GROESSE\n", stderr);
        return 2;
    }
    // Painting needs Qt Gui, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || size < 1 || size > 1024) {
        std::fprintf(stderr, "Ungültige Größe: %s\n", argv[3]);
        return 2;
    }
    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "Keine lesbare SVG-Datei: %s\n", argv[1]);
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }

    // Written through QSaveFile so a failed run leaves no half PNG for the build to take.
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || !image.convertToFormat(QImage::Format_ARGB32).save(&file, "PNG") ||
        !file.commit()) {
        std::fprintf(stderr, "Die Datei %s kann nicht geschrieben werden.\n", argv[2]);
        return 1;
    }
    return 0;
}
