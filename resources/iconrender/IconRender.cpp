// Renders the program icon (SVG) into PNG files of the sizes desktops look
// for: iconrender ICON.svg OUTDIR SIZE... writes OUTDIR/SIZE/plumex.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: iconrender ICON.svg OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QString(argv[i]).toInt();
        if (size < 1) return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg.render(&p);
        p.end();
        const QString dir = QString::fromLocal8Bit(argv[2]) + QString("/%1").arg(size);
        QDir().mkpath(dir);
        if (!image.save(dir + "/plumex.png")) {
            std::fprintf(stderr, "iconrender: cannot write %s/plumex.png\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
