// Draws the program's SVG icon as PNG files for the icon theme, with the renderer the program
// itself draws its window icon with. Usage: render_icon <svg> <folder> <size>...
// Each size goes to <folder>/<size>x<size>/app.zentrav.Zentrav.png.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {
bool writePng(QSvgRenderer& renderer, int size, const QDir& folder) {
    const QString dir = QStringLiteral("%1x%1").arg(size);
    if (size <= 0 || !folder.mkpath(dir))
        return false;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image.save(folder.filePath(dir + QStringLiteral("/app.zentrav.Zentrav.png")));
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fputs("usage: render_icon <svg> <folder> <size>...\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        if (!writePng(renderer, QByteArray(argv[i]).toInt(), folder)) {
            std::fprintf(stderr, "render_icon: cannot write the %s pixel icon in %s\n", argv[i],
                         argv[2]);
            return 1;
        }
    }
    return 0;
}
