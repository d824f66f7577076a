#pragma once

#include <Qt>

class QPainter;
class QRectF;
class QString;

// One line of report text that keeps to its row, whatever script it is in.
namespace ReportText {

// Draws `text` on one line in the painter's font and pen. The box gives the
// room: the text starts at its left edge, ends at its right edge
// (Qt::AlignRight) or is centred (Qt::AlignHCenter); the line's top is the
// box's top unless a vertical flag says otherwise. The box's width is the most
// the text may take.
//
// The baseline is that of the font's own family, so a value sits on the
// baseline of its label. Characters that family lacks come from a fall-back
// font, which is set smaller where its ascent or descent would reach beyond
// the family's: Chinese in a Latin font stays inside the row. A line too long
// for the box is set smaller as a whole instead of wrapping into the next row.
void draw(QPainter* painter, const QString& text, const QRectF& box, Qt::Alignment alignment);

} // namespace ReportText
