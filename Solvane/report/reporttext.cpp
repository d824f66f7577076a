#include "reporttext.h"

#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace ReportText {

namespace {

// Ascent and descent per pixel of size: the line metrics that PDF readers and
// printers take the font's box from.
struct Extent
{
    qreal ascent = 0;
    qreal descent = 0;
};

Extent extentOf(QRawFont font)
{
    static QHash<QString, Extent> known;
    const QString key = font.familyName() + QLatin1Char('/') + font.styleName();
    const auto cached = known.constFind(key);
    if (cached != known.constEnd())
        return *cached;
    // Measured at a large size, so that the rounding to whole pixels is negligible.
    constexpr qreal size = 1000;
    font.setPixelSize(size);
    const Extent extent{font.ascent() / size, font.descent() / size};
    known.insert(key, extent);
    return extent;
}

// How much a run set in `fallback` has to shrink to stay inside the primary
// family's ascent and descent.
qreal fittingScale(const Extent& primary, const Extent& fallback)
{
    qreal scale = 1;
    if (fallback.ascent > primary.ascent)
        scale = qMin(scale, primary.ascent / fallback.ascent);
    if (fallback.descent > primary.descent && primary.descent > 0)
        scale = qMin(scale, primary.descent / fallback.descent);
    return scale;
}

// The font at `scale` of its size, rounded down to whole device pixels so that
// rounding never makes it larger than asked.
QFont scaled(const QFont& font, qreal scale, qreal dpi)
{
    QFont result = font;
    const qreal pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpi / 72;
    result.setPointSizeF(qMax<qreal>(1, std::floor(pixels * scale)) * 72 / dpi);
    return result;
}

QTextOption oneLine()
{
    // Absolute left: a right-to-left text starts at the line's left edge too,
    // and the caller places the line.
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    return option;
}

// Lays out the text on one line; every character that the font's own family
// lacks gets the scale its fall-back font needs, times `overall`.
void layOut(QTextLayout& layout, const QFont& font, const QVector<qreal>& scales, qreal overall,
            qreal dpi)
{
    QVector<QTextLayout::FormatRange> ranges;
    for (int i = 0; i < scales.size();) {
        int end = i + 1;
        while (end < scales.size() && scales.at(end) == scales.at(i))
            ++end;
        const qreal scale = scales.at(i) * overall;
        if (scale != 1) {
            QTextLayout::FormatRange range;
            range.start = i;
            range.length = end - i;
            range.format.setFont(scaled(font, scale, dpi));
            ranges << range;
        }
        i = end;
    }
    layout.clearLayout();
    layout.setFont(overall == 1 ? font : scaled(font, overall, dpi));
    layout.setFormats(ranges);
    layout.beginLayout();
    layout.createLine().setLineWidth(1e6);
    layout.endLayout();
}

} // namespace

void draw(QPainter* painter, const QString& text, const QRectF& box, Qt::Alignment alignment)
{
    if (text.isEmpty())
        return;
    QPaintDevice* device = painter->device();
    const qreal dpi = device->logicalDpiY();
    const QFont font = painter->font();
    QTextLayout layout(text, font, device);
    layout.setTextOption(oneLine());
    QVector<qreal> scales(text.size(), 1.0);
    layOut(layout, font, scales, 1, dpi);

    // Which font each character came from, looked at only when some glyph is
    // not the family's own: most texts of the page are plain Latin.
    const QRawFont own = QRawFont::fromFont(font);
    const auto isOwn = [&own](const QGlyphRun& run) {
        return run.rawFont().familyName() == own.familyName() &&
               run.rawFont().styleName() == own.styleName();
    };
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (!std::all_of(runs.cbegin(), runs.cend(), isOwn)) {
        const Extent primary = extentOf(own);
        for (int i = 0; i < text.size();) {
            const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            qreal scale = 1;
            for (const QGlyphRun& run : layout.glyphRuns(i, length))
                if (!isOwn(run))
                    scale = qMin(scale, fittingScale(primary, extentOf(run.rawFont())));
            for (int k = i; k < i + length; ++k)
                scales[k] = scale;
            i += length;
        }
        layOut(layout, font, scales, 1, dpi);
    }

    QTextLine line = layout.lineAt(0);
    if (line.naturalTextWidth() > box.width() && box.width() > 0) {
        layOut(layout, font, scales, box.width() / line.naturalTextWidth(), dpi);
        line = layout.lineAt(0);
    }

    const qreal width = line.naturalTextWidth();
    qreal left = box.left();
    if (alignment & Qt::AlignRight)
        left = box.right() - width;
    else if (alignment & Qt::AlignHCenter)
        left = box.left() + (box.width() - width) / 2;
    qreal top = box.top();
    const QFontMetricsF primaryMetrics(font, device);
    const qreal lineHeight = primaryMetrics.ascent() + primaryMetrics.descent();
    if (alignment & Qt::AlignBottom)
        top = box.bottom() - lineHeight;
    else if (alignment & Qt::AlignVCenter)
        top = box.top() + (box.height() - lineHeight) / 2;
    const qreal baseline = top + primaryMetrics.ascent();
    layout.draw(painter, QPointF(left, baseline - line.ascent()));
}

} // namespace ReportText
