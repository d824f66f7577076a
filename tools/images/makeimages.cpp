// Makes the application's pictures (run by hand, results committed):
//   make-images SOURCE_DIR OUTPUT_DIR [ICON_DIR]
// Every SOURCE_DIR/*.svg becomes OUTPUT_DIR/*.png at the SVG's own width and
// height; cie1931.png and cie1976.png are drawn from the CIE tables so that
// their edges are the plot's axis ranges. With ICON_DIR, the application icon
// SOURCE_DIR/logo.svg is also drawn into the icon theme's fixed sizes there,
// ICON_DIR/<N>x<N>/apps/solvane.png. `cmake --build build --target images`
// runs it on Solvane/resources/images/src into Solvane/resources/images and
// packaging/icons/hicolor.

#include "chromaticitydiagram.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

// The sizes desktops look for in the hicolor theme.
constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// At the SVG's own size unless a size is given.
bool renderSvg(const QString& source, const QString& target, QSize size = {})
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid())
        return false;
    QImage image(size.isValid() ? size : renderer.defaultSize(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    painter.end();
    return image.save(target);
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3 && argc != 4) {
        err << "usage: make-images SOURCE_DIR OUTPUT_DIR [ICON_DIR]\n";
        return 2;
    }
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.exists() && !QDir().mkpath(output.path())) {
        err << "cannot create " << output.path() << "\n";
        return 1;
    }

    int failures = 0;
    for (const QString& name : source.entryList({QStringLiteral("*.svg")}, QDir::Files)) {
        const QString png = output.filePath(QFileInfo(name).completeBaseName() + ".png");
        if (!renderSvg(source.filePath(name), png)) {
            err << "cannot render " << source.filePath(name) << "\n";
            ++failures;
        }
    }
    for (const ChromaticityDiagram& diagram : {cie1931Diagram(), cie1976Diagram()}) {
        if (!diagram.draw().save(output.filePath(diagram.fileName))) {
            err << "cannot write " << output.filePath(diagram.fileName) << "\n";
            ++failures;
        }
    }
    if (argc == 4) {
        const QDir icons(QString::fromLocal8Bit(argv[3]));
        const QString logo = source.filePath(QStringLiteral("logo.svg"));
        for (const int size : iconSizes) {
            const QString folder = icons.filePath(QStringLiteral("%1x%1/apps").arg(size));
            const QString png = QDir(folder).filePath(QStringLiteral("solvane.png"));
            if (!QDir().mkpath(folder) || !renderSvg(logo, png, {size, size})) {
                err << "cannot write " << png << "\n";
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
