#include "chromaticitydiagram.h"

#include "colorimetry.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const QColor background(238, 241, 247);
const QColor ink(70, 78, 92);

QPointF fromUcs1976(double u, double v)
{
    const double d = 6 * u - 16 * v + 12;
    return {9 * u / d, 4 * v / d};
}

// Approximate sRGB colour of a chromaticity at full brightness; colours
// outside the sRGB gamut are moved towards white until they fit.
QRgb displayColour(double x, double y)
{
    const double X = x / y, Y = 1, Z = (1 - x - y) / y;
    double rgb[3] = {3.2406 * X - 1.5372 * Y - 0.4986 * Z, -0.9689 * X + 1.8758 * Y + 0.0415 * Z,
                     0.0557 * X - 0.2040 * Y + 1.0570 * Z};
    const double lowest = std::min({rgb[0], rgb[1], rgb[2]});
    if (lowest < 0)
        for (double& c : rgb)
            c -= lowest;
    const double highest = std::max({rgb[0], rgb[1], rgb[2]});
    int out[3];
    for (int k = 0; k < 3; ++k) {
        // A little white keeps the picture calm behind the grid and the cross.
        const double c = 0.88 * (highest > 0 ? rgb[k] / highest : 0) + 0.12;
        const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
        out[k] = std::clamp(int(std::lround(255 * encoded)), 0, 255);
    }
    return qRgb(out[0], out[1], out[2]);
}

class Mapper
{
public:
    explicit Mapper(const ChromaticityDiagram& d) : diagram(d) {}

    // Diagram coordinates of a CIE 1931 chromaticity, in pixels.
    QPointF pixel(double x, double y) const
    {
        double a = x, b = y;
        if (diagram.ucs1976)
            chromaticityUV1976(x, y, &a, &b);
        return {a / diagram.xMax * diagram.size.width(),
                (1 - b / diagram.yMax) * diagram.size.height()};
    }
    // CIE 1931 chromaticity at a pixel position.
    QPointF chromaticity(double px, double py) const
    {
        const double a = px / diagram.size.width() * diagram.xMax;
        const double b = (1 - py / diagram.size.height()) * diagram.yMax;
        return diagram.ucs1976 ? fromUcs1976(a, b) : QPointF(a, b);
    }

private:
    const ChromaticityDiagram& diagram;
};

QPointF chromaticity(double X, double Y, double Z)
{
    double x, y;
    chromaticityXY(X, Y, Z, &x, &y);
    return {x, y};
}

} // namespace

QImage ChromaticityDiagram::draw() const
{
    const Mapper map(*this);
    const double unit = size.width() / 400.0; // line widths and text follow the picture's size

    QPolygonF horseshoe;
    for (int i = 0; i < measurementCount; ++i) {
        const QPointF c = chromaticity(cmf2Deg[0][i], cmf2Deg[1][i], cmf2Deg[2][i]);
        horseshoe << map.pixel(c.x(), c.y());
    }

    // Coverage of the horseshoe, antialiased, then each covered pixel takes
    // the colour of its own chromaticity.
    QImage coverage(size, QImage::Format_Grayscale8);
    coverage.fill(0);
    {
        QPainter p(&coverage);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(horseshoe);
    }
    QImage image(size, QImage::Format_RGB32);
    for (int py = 0; py < size.height(); ++py) {
        const uchar* mask = coverage.constScanLine(py);
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = 0; px < size.width(); ++px) {
            const double a = mask[px] / 255.0;
            QRgb colour = background.rgb();
            if (a > 0) {
                const QPointF c = map.chromaticity(px + 0.5, py + 0.5);
                const QRgb fill = c.y() > 0 ? displayColour(c.x(), c.y()) : background.rgb();
                const auto blend = [a](int f, int b) {
                    return int(std::lround(a * f + (1 - a) * b));
                };
                colour = qRgb(blend(qRed(fill), background.red()),
                              blend(qGreen(fill), background.green()),
                              blend(qBlue(fill), background.blue()));
            }
            line[px] = colour;
        }
    }

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.2 * unit));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(horseshoe);

    // Planckian locus, 1000 K to 25000 K.
    QPainterPath planckian;
    for (double T = 1000; T <= 25000; T *= 1.02) {
        double s[measurementCount], X, Y, Z;
        planckianSpectrum(T, measurementCount, s);
        calculateTristimulus(s, measurementCount, &X, &Y, &Z);
        const QPointF c = chromaticity(X, Y, Z);
        const QPointF point = map.pixel(c.x(), c.y());
        if (planckian.elementCount() == 0)
            planckian.moveTo(point);
        else
            planckian.lineTo(point);
    }
    p.setPen(QPen(ink, 0.9 * unit));
    p.drawPath(planckian);

    // Wavelength ticks, outward from the white point, with their labels.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(int(std::lround(9.5 * unit)));
    p.setFont(font);
    const QPointF white = map.pixel(1 / 3.0, 1 / 3.0);
    // Near 520 nm the CIE 1976 locus runs along the top edge; fewer labels there.
    const std::vector<int> ticks =
        ucs1976 ? std::vector<int>{460, 470, 480, 490, 500, 510, 520, 540, 560, 580, 600, 620, 700}
                : std::vector<int>{460, 470, 480, 490, 500, 510, 520, 530, 540,
                                   550, 560, 570, 580, 590, 600, 620, 700};
    for (int nm : ticks) {
        const QPointF at = horseshoe[nm - 380];
        const QPointF tangent = horseshoe[nm - 378] - horseshoe[nm - 382];
        QPointF normal(tangent.y(), -tangent.x());
        if (QPointF::dotProduct(normal, at - white) < 0)
            normal = -normal;
        normal /= std::hypot(normal.x(), normal.y());
        // Labels that would leave the picture go inside the horseshoe.
        const auto labelBox = [&](const QPointF& direction) {
            const QPointF centre = at + direction * 14 * unit;
            return QRectF(centre - QPointF(11 * unit, 6 * unit), QSizeF(22 * unit, 12 * unit));
        };
        QRectF box = labelBox(normal);
        if (!image.rect().contains(box.toAlignedRect())) {
            normal = -normal;
            box = labelBox(normal);
        }
        p.drawLine(at, at + normal * 5 * unit);
        p.drawText(box, Qt::AlignCenter, QString::number(nm));
    }
    return image;
}

ChromaticityDiagram cie1931Diagram()
{
    return {QStringLiteral("cie1931.png"), QSize(416, 471), 0.8, 0.9, false};
}

ChromaticityDiagram cie1976Diagram()
{
    return {QStringLiteral("cie1976.png"), QSize(1929, 1897), 0.65, 0.6, true};
}
