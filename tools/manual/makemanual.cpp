// Renders the user manual from its Markdown text into a PDF file:
//   make-manual [--version VERSION] MANUAL.md OUTPUT.pdf
//
// The result is a set of A4 pages: a title page (everything before the second
// top-level heading), a table of contents, then every top-level heading on a
// new page, with the manual's title and the page number in the footer.
// Pictures are found relative to the Markdown file; a picture whose title is a
// percentage, as in ![Main window](main-window.png "80%"), takes that share of
// the text width, any other its natural size up to the full width. A paragraph
// in italics right after a picture is its caption. "@VERSION@" in the text
// becomes VERSION.
//
// A picture that cannot be loaded is an error: a manual with a hole in it is
// never written. The output file is replaced only once it is complete.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextStream>
#include <QTextTable>

#include <cmath>

namespace {

// The document is laid out in pixels of 1/96 inch, and the PDF writer gets the
// same resolution, so that one unit means the same on both sides.
constexpr qreal dpi = 96;
constexpr qreal mm = dpi / 25.4;

const QString bodyFamily = QStringLiteral("Carlito");
const QString monoFamily = QStringLiteral("DejaVu Sans Mono");
constexpr qreal bodySize = 11;
const QColor headingColour(38, 92, 160);
const QColor linkColour(38, 92, 160);
const QColor ruleColour(190, 198, 212);
const QColor shadeColour(238, 241, 247);
const QColor mutedColour(105, 113, 125);

// Marks the frames that hold a code block.
constexpr int codeFrameProperty = QTextFormat::UserProperty + 1;

struct PageGeometry
{
    QSizeF size;
    qreal left = 20 * mm, right = 20 * mm, top = 18 * mm, bottom = 24 * mm;
    qreal textWidth() const { return size.width() - left - right; }
};

// The distance between lines of text of this size. Fixed, since a character
// from a fall-back font (Chinese, the prime of u′) would widen its line.
qreal lineSpacing(qreal points, qreal factor = 1.27)
{
    return points * dpi / 72 * factor;
}

// A4 without the printer's margins: the document keeps its own.
QPageLayout pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}

QTextCharFormat fontFormat(const QString& family, qreal points)
{
    QTextCharFormat format;
    format.setFontFamily(family);
    format.setFontPointSize(points);
    // No ligatures (Qt leaves them out when letters are spaced, here by a
    // hundredth of a percent): with them the PDF's text reads "ﬁle" or "bu ons"
    // when searched or copied.
    format.setFontLetterSpacingType(QFont::PercentageSpacing);
    format.setFontLetterSpacing(100.01);
    return format;
}

bool isTopLevel(const QTextBlock& block)
{
    return QTextCursor(block).currentFrame() == block.document()->rootFrame();
}

bool isCode(const QTextBlock& block)
{
    return block.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
}

bool inCodeFrame(const QTextBlock& block)
{
    const QTextFrame* frame = QTextCursor(block).currentFrame();
    return frame && frame->frameFormat().hasProperty(codeFrameProperty);
}

// Whether a paragraph holds one picture and nothing else.
bool isPicture(const QTextBlock& block)
{
    int pictures = 0;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.charFormat().isImageFormat())
            ++pictures;
        else if (!fragment.text().trimmed().isEmpty())
            return false;
    }
    return pictures == 1;
}

bool isCaption(const QTextBlock& block)
{
    if (!block.isValid() || !block.previous().isValid() || !isPicture(block.previous()))
        return false;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
        if (!it.fragment().charFormat().fontItalic())
            return false;
    return !block.text().trimmed().isEmpty();
}

// The block after this one that shows something.
QTextBlock nextShown(const QTextBlock& block)
{
    QTextBlock next = block.next();
    while (next.isValid() && isTopLevel(next) && next.text().isEmpty())
        next = next.next();
    return next;
}

// The block before this one that shows something.
QTextBlock previousShown(const QTextBlock& block)
{
    QTextBlock previous = block.previous();
    while (previous.isValid() && isTopLevel(previous) && previous.text().isEmpty())
        previous = previous.previous();
    return previous;
}

void setBlockFormat(const QTextBlock& block, const QTextBlockFormat& format)
{
    QTextCursor(block).setBlockFormat(format);
}

// Applies a character format to the whole of a block, images excepted.
void mergeTextFormat(const QTextBlock& block, const QTextCharFormat& format)
{
    // The block's own format is what list numbers and bullets are drawn with.
    QTextCursor(block).mergeBlockCharFormat(format);
    QList<QPair<int, int>> ranges;
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.charFormat().isImageFormat())
            ranges << qMakePair(fragment.position(), fragment.length());
    }
    for (const auto& range : ranges) {
        QTextCursor cursor(block);
        cursor.setPosition(range.first);
        cursor.setPosition(range.first + range.second, QTextCursor::KeepAnchor);
        QTextCharFormat merged = format;
        const QTextCharFormat current = cursor.charFormat();
        // Code spans keep a face of their own, a little smaller than the text
        // round them. They are the only text the Markdown reader gives a font
        // family, which is not always a fixed-pitch one.
        if (current.fontFixedPitch() || current.hasProperty(QTextFormat::FontFamily)) {
            merged.setFontFamily(monoFamily);
            merged.setFontPointSize(format.fontPointSize() * 0.88);
        }
        if (current.isAnchor()) {
            merged.setForeground(linkColour);
            merged.setFontUnderline(true);
        }
        cursor.mergeCharFormat(merged);
    }
}

class Manual
{
public:
    Manual(const QString& markdown, const QString& baseDir, const PageGeometry& page);

    QStringList loadPictures();
    void typeset();
    bool write(QIODevice* device);

private:
    void boxCodeBlocks();
    void joinAtDots();
    void collapseEmptyParagraphs();
    void lowerTitle();
    void styleBlocks();
    void styleTables();
    void sizePictures();
    void insertContents();
    void paginate();
    void relayout();
    int pageOf(const QTextBlock& block) const;
    bool keepsWithNext(const QTextBlock& block) const;
    bool splitCodeBox(const QTextBlock& block) const;
    void drawFooter(QPainter* painter, int pageIndex, int pageCount) const;

    QTextDocument document;
    PageGeometry page;
    QString titleText;
    QMap<QString, QSize> pictureSizes;
    struct ContentsEntry
    {
        QTextBlock entry;
        QTextBlock heading;
    };
    QList<ContentsEntry> contents;
};

Manual::Manual(const QString& markdown, const QString& baseDir, const PageGeometry& geometry)
    : page(geometry)
{
    document.setUseDesignMetrics(true);
    document.setDocumentMargin(0);
    document.setDefaultFont(QFont(bodyFamily, int(bodySize)));
    document.setIndentWidth(6 * mm);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    // After the text: setting the text clears the base.
    document.setBaseUrl(QUrl::fromLocalFile(QDir(baseDir).absolutePath() + QLatin1Char('/')));

    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setLeftMargin(page.left);
    root.setRightMargin(page.right);
    root.setTopMargin(page.top);
    root.setBottomMargin(page.bottom);
    document.rootFrame()->setFrameFormat(root);
    document.setPageSize(page.size);

    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() == 1) {
            titleText = block.text().trimmed();
            break;
        }
}

// Loads every picture the text names; returns those that could not be loaded.
QStringList Manual::loadPictures()
{
    QStringList missing;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            if (pictureSizes.contains(name) || missing.contains(name))
                continue;
            const QUrl url(name);
            QImage image;
            const QVariant resource = document.resource(QTextDocument::ImageResource, url);
            if (resource.type() == QVariant::Image)
                image = resource.value<QImage>();
            else if (resource.type() == QVariant::Pixmap)
                image = resource.value<QPixmap>().toImage();
            else
                image.loadFromData(resource.toByteArray());
            if (image.isNull()) {
                missing << name;
                continue;
            }
            document.addResource(QTextDocument::ImageResource, url, image);
            pictureSizes.insert(name, image.size());
        }
    }
    return missing;
}

void Manual::typeset()
{
    boxCodeBlocks();
    joinAtDots();
    styleBlocks();
    collapseEmptyParagraphs();
    lowerTitle();
    styleTables();
    sizePictures();
    insertContents();
    paginate();
}

// A run of code lines becomes one shaded, framed box.
void Manual::boxCodeBlocks()
{
    for (;;) {
        QTextBlock first = document.begin();
        while (first.isValid() && !(isCode(first) && !inCodeFrame(first)))
            first = first.next();
        if (!first.isValid())
            return;
        QTextBlock last = first;
        QTextBlock lastText = first;
        while (last.next().isValid() && isCode(last.next()) && !inCodeFrame(last.next())) {
            last = last.next();
            if (!last.text().trimmed().isEmpty())
                lastText = last;
        }
        // The blank lines that close a run are dropped.
        QTextCursor cursor(lastText);
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();

        QTextBlockFormat line;
        line.setNonBreakableLines(true);
        line.setLineHeight(lineSpacing(8.5, 1.2), QTextBlockFormat::FixedHeight);
        const QTextCharFormat text = fontFormat(monoFamily, 8.5);
        cursor.setPosition(first.position());
        cursor.setPosition(lastText.position() + lastText.length() - 1, QTextCursor::KeepAnchor);
        cursor.setBlockFormat(line);
        cursor.setCharFormat(text);

        QTextFrameFormat frame;
        frame.setProperty(codeFrameProperty, true);
        frame.setBackground(shadeColour);
        frame.setBorder(1);
        frame.setBorderBrush(ruleColour);
        frame.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        frame.setPadding(2 * mm);
        frame.setTopMargin(1 * mm);
        frame.setBottomMargin(3 * mm);
        cursor.insertFrame(frame);
    }
}

// Qt would break a line after the dot of a record name such as NO.999; a word
// joiner, which the PDF's text leaves out, holds the name together.
void Manual::joinAtDots()
{
    static const QRegularExpression letterDotDigit(QStringLiteral("\\p{L}\\.\\d"));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (inCodeFrame(block))
            continue;
        QList<int> dots;
        QRegularExpressionMatchIterator it = letterDotDigit.globalMatch(block.text());
        while (it.hasNext())
            dots.prepend(it.next().capturedStart() + 1);
        for (int dot : dots) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + dot + 1);
            cursor.insertText(QString(QChar(0x2060)));
        }
    }
}

// Framing leaves empty paragraphs around a frame; they take no room.
void Manual::collapseEmptyParagraphs()
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!isTopLevel(block) || !block.text().isEmpty() || block.blockFormat().headingLevel())
            continue;
        QTextBlockFormat format;
        format.setLineHeight(0, QTextBlockFormat::FixedHeight);
        setBlockFormat(block, format);
    }
}

// A margin above the first paragraph of a page does not count, so a blank
// line of fixed height sets the title page's contents down.
void Manual::lowerTitle()
{
    const QTextBlock title = document.begin();
    QTextCursor cursor(title);
    cursor.insertBlock(title.blockFormat(), title.charFormat());
    QTextBlockFormat space;
    space.setLineHeight(45 * mm, QTextBlockFormat::FixedHeight);
    setBlockFormat(document.begin(), space);
}

void Manual::styleBlocks()
{
    int topLevelHeadings = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (inCodeFrame(block))
            continue;
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level == 1 && isTopLevel(block))
            ++topLevelHeadings;
        const bool frontMatter = topLevelHeadings <= 1 && isTopLevel(block);
        const bool inTable = QTextCursor(block).currentTable() != nullptr;

        QTextCharFormat text = fontFormat(bodyFamily, bodySize);
        format.setTopMargin(0);
        format.setBottomMargin(6);
        format.setLineHeight(lineSpacing(bodySize), QTextBlockFormat::FixedHeight);
        if (frontMatter) {
            format.setAlignment(Qt::AlignHCenter);
            format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            if (level == 1) {
                format.setBottomMargin(8 * mm);
                text = fontFormat(bodyFamily, 30);
                text.setFontWeight(QFont::Bold);
                text.setForeground(headingColour);
            } else {
                format.setBottomMargin(3 * mm);
                text = fontFormat(bodyFamily, 14);
                text.setForeground(mutedColour);
            }
        } else if (level > 0) {
            static const qreal sizes[] = {20, 14.5, 12, 11};
            text = fontFormat(bodyFamily, sizes[qMin(level, 4) - 1]);
            text.setFontWeight(QFont::Bold);
            text.setForeground(headingColour);
            format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
            if (level == 1) {
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                format.setBottomMargin(6 * mm);
            } else {
                format.setTopMargin(level == 2 ? 5 * mm : 3.5 * mm);
                format.setBottomMargin(1.5 * mm);
            }
        } else if (inTable) {
            text = fontFormat(bodyFamily, 10);
            format.setBottomMargin(0);
            format.setLineHeight(lineSpacing(10), QTextBlockFormat::FixedHeight);
        } else if (block.textList()) {
            const QTextList* list = block.textList();
            const bool lastItem = list->itemNumber(block) == list->count() - 1;
            format.setBottomMargin(lastItem ? 6 : 2.5);
        } else if (isCaption(block)) {
            format.setAlignment(Qt::AlignHCenter);
            format.setBottomMargin(4 * mm);
            format.setLineHeight(lineSpacing(9.5), QTextBlockFormat::FixedHeight);
            text = fontFormat(bodyFamily, 9.5);
            text.setForeground(mutedColour);
        }
        if (isPicture(block)) {
            format.setAlignment(Qt::AlignHCenter);
            format.setLineHeight(0, QTextBlockFormat::SingleHeight);
            format.setTopMargin(2 * mm);
            format.setBottomMargin(isCaption(block.next()) ? 1.5 * mm : 4 * mm);
        }
        setBlockFormat(block, format);
        mergeTextFormat(block, text);
    }
}

void Manual::styleTables()
{
    QList<QTextFrame*> frames = document.rootFrame()->childFrames();
    while (!frames.isEmpty()) {
        QTextFrame* frame = frames.takeFirst();
        frames << frame->childFrames();
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table)
            continue;
        QTextTableFormat format = table->format();
        format.setBorder(1);
        format.setBorderBrush(ruleColour);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setCellSpacing(0);
        format.setCellPadding(1.4 * mm);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setHeaderRowCount(1);
        format.setTopMargin(1 * mm);
        format.setBottomMargin(3 * mm);
        format.setAlignment(Qt::AlignLeft);
        table->setFormat(format);
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextTableCellFormat header = cell.format().toTableCellFormat();
            header.setBackground(shadeColour);
            header.setFontWeight(QFont::Bold);
            cell.setFormat(header);
        }
    }
}

void Manual::sizePictures()
{
    static const QRegularExpression percentage(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s*%\\s*$"));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QList<QPair<int, QTextImageFormat>> images;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                images << qMakePair(it.fragment().position(),
                                    it.fragment().charFormat().toImageFormat());
        for (auto& [position, image] : images) {
            const QSize natural = pictureSizes.value(image.name());
            if (natural.isEmpty())
                continue;
            const QRegularExpressionMatch share =
                percentage.match(image.stringProperty(QTextFormat::ImageTitle));
            qreal width = share.hasMatch() ? page.textWidth() * share.captured(1).toDouble() / 100
                                           : qreal(natural.width());
            width = qMin(width, page.textWidth());
            image.setWidth(width);
            image.setHeight(width * natural.height() / natural.width());
            QTextCursor cursor(&document);
            cursor.setPosition(position);
            cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

// A contents page between the title page and the first chapter, listing the
// chapters and their sections; page numbers are filled in by paginate().
void Manual::insertContents()
{
    QList<QTextBlock> headings;
    QTextBlock firstChapter;
    int topLevelHeadings = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (!isTopLevel(block) || level < 1 || level > 2)
            continue;
        if (level == 1 && ++topLevelHeadings == 1)
            continue;
        if (!firstChapter.isValid())
            firstChapter = block;
        headings << block;
    }
    if (!firstChapter.isValid() || !firstChapter.previous().isValid())
        return;

    QTextCursor cursor(firstChapter.previous());
    cursor.movePosition(QTextCursor::EndOfBlock);

    QTextBlockFormat heading = firstChapter.blockFormat();
    heading.setHeadingLevel(0);
    QTextCharFormat headingText = fontFormat(bodyFamily, 20);
    headingText.setFontWeight(QFont::Bold);
    headingText.setForeground(headingColour);
    cursor.insertBlock(heading, headingText);
    cursor.insertText(QStringLiteral("Contents"), headingText);

    for (const QTextBlock& target : headings) {
        const bool chapter = target.blockFormat().headingLevel() == 1;
        QTextBlockFormat entry;
        entry.setLeftMargin(chapter ? 0 : 7 * mm);
        entry.setTopMargin(chapter ? 1.5 * mm : 0);
        entry.setBottomMargin(0);
        entry.setLineHeight(lineSpacing(chapter ? 11 : 10, 1.2), QTextBlockFormat::FixedHeight);
        entry.setTabPositions(
            {QTextOption::Tab(page.textWidth() - entry.leftMargin() - 1, QTextOption::RightTab)});
        QTextCharFormat text = fontFormat(bodyFamily, chapter ? 11 : 10);
        if (chapter)
            text.setFontWeight(QFont::Bold);
        cursor.insertBlock(entry, text);
        cursor.insertText(target.text().trimmed() + QLatin1Char('\t') + QStringLiteral("00"), text);
        contents << ContentsEntry{cursor.block(), target};
    }
}

// Qt lays out again only from a change until the layout looks as before, and
// with pages that leaves later pages half done; this lays out everything.
void Manual::relayout()
{
    document.markContentsDirty(0, document.characterCount());
}

int Manual::pageOf(const QTextBlock& block) const
{
    const QRectF rect = document.documentLayout()->blockBoundingRect(block);
    return int(std::floor(rect.top() / page.size.height()));
}

// Headings stay with what they introduce, a picture with its caption, and a
// sentence ending in a colon with the list or table it announces.
bool Manual::keepsWithNext(const QTextBlock& block) const
{
    if (!isTopLevel(block) || !nextShown(block).isValid())
        return false;
    const int level = block.blockFormat().headingLevel();
    if (level >= 2)
        return true;
    if (isPicture(block) && isCaption(nextShown(block)))
        return true;
    return level == 0 && !block.textList() && block.text().trimmed().endsWith(QLatin1Char(':'));
}

// Whether this is the first line of a code box that runs over a page break
// although it would fit on one page.
bool Manual::splitCodeBox(const QTextBlock& block) const
{
    if (!inCodeFrame(block))
        return false;
    QTextFrame* frame = QTextCursor(block).currentFrame();
    if (frame->firstCursorPosition().block() != block)
        return false;
    const qreal height = document.documentLayout()->frameBoundingRect(frame).height();
    const bool fits = height < page.size.height() - page.top - page.bottom;
    return fits && pageOf(block) != pageOf(frame->lastCursorPosition().block());
}

void Manual::paginate()
{
    // What has been parted from its successor goes to the next page, together
    // with whatever is kept with it in turn: a heading and the sentence it
    // introduces go along with the table after it. A code box that fits on a
    // page is not broken up, and goes with the sentence that announces it. A
    // chain that starts a page already stays as it is.
    relayout();
    for (int moves = 0; moves < 200; ++moves) {
        QTextBlock start;
        for (QTextBlock block = document.begin(); block.isValid() && !start.isValid();
             block = block.next()) {
            const bool parted = keepsWithNext(block) && pageOf(block) != pageOf(nextShown(block));
            if (!parted && !splitCodeBox(block))
                continue;
            start = block;
            for (QTextBlock before = previousShown(start);
                 before.isValid() && keepsWithNext(before) && pageOf(before) == pageOf(start);
                 before = previousShown(before))
                start = before;
            const QTextBlock before = previousShown(start);
            if (!before.isValid() || pageOf(before) != pageOf(start))
                start = QTextBlock(); // starts a page: nothing to gain
        }
        if (!start.isValid())
            break;
        if (inCodeFrame(start)) {
            // The break goes before the box, so that its frame moves with it.
            QTextFrame* frame = QTextCursor(start).currentFrame();
            QTextFrameFormat format = frame->frameFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            frame->setFrameFormat(format);
        } else {
            QTextBlockFormat format = start.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            setBlockFormat(start, format);
        }
        relayout();
    }

    // Page numbers are counted from the title page, so that they match the
    // viewer's. They take the place of two-digit placeholders, so the
    // contents keep their length and nothing after them moves.
    QList<int> pages;
    for (const ContentsEntry& item : contents)
        pages << pageOf(item.heading) + 1;
    for (int i = 0; i < contents.size(); ++i) {
        const QTextBlock entry = contents.at(i).entry;
        const int tab = entry.text().lastIndexOf(QLatin1Char('\t'));
        QTextCursor cursor(entry);
        cursor.setPosition(entry.position() + tab + 1);
        cursor.setPosition(entry.position() + entry.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString::number(pages.at(i)));
    }
    relayout();
}

void Manual::drawFooter(QPainter* painter, int pageIndex, int pageCount) const
{
    const qreal ruleY = page.size.height() - 15 * mm;
    const QRectF textBox(page.left, ruleY + 1.5 * mm, page.textWidth(), 6 * mm);
    painter->save();
    painter->setPen(QPen(ruleColour, 0.75));
    painter->drawLine(QPointF(page.left, ruleY), QPointF(page.size.width() - page.right, ruleY));
    QFont font(bodyFamily);
    font.setPointSizeF(9);
    painter->setFont(font);
    painter->setPen(mutedColour);
    painter->drawText(textBox, Qt::AlignLeft | Qt::AlignTop, titleText);
    painter->drawText(textBox, Qt::AlignRight | Qt::AlignTop,
                      QStringLiteral("Page %1 of %2").arg(pageIndex + 1).arg(pageCount));
    painter->restore();
}

bool Manual::write(QIODevice* device)
{
    QPdfWriter writer(device);
    writer.setPageLayout(pageLayout());
    writer.setResolution(int(dpi));
    writer.setTitle(titleText);
    writer.setCreator(QStringLiteral("Solvane"));

    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int pageCount = document.pageCount();
    const qreal height = page.size.height();
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0 && !writer.newPage())
            return false;
        painter.save();
        painter.translate(0, -i * height);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * height, page.size.width(), height);
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        if (i > 0) // the title page goes without
            drawFooter(&painter, i, pageCount);
    }
    return painter.end();
}

} // namespace

int main(int argc, char* argv[])
{
    // Runs during the build, with no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication app(argc, argv);
    // Characters the text face lacks (the prime of u′, △, Chinese) come from
    // these rather than from whatever the system picks first.
    QFont::insertSubstitutions(bodyFamily,
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    QTextStream err(stderr);

    QStringList arguments = app.arguments().mid(1);
    QString version;
    if (arguments.size() >= 2 && arguments.first() == QLatin1String("--version")) {
        version = arguments.at(1);
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 2) {
        err << "usage: make-manual [--version VERSION] MANUAL.md OUTPUT.pdf\n";
        return 2;
    }
    const QString source = arguments.at(0);
    const QString target = arguments.at(1);

    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) {
        err << "make-manual: cannot read " << source << ": " << input.errorString() << "\n";
        return 2;
    }
    QString markdown = QString::fromUtf8(input.readAll());
    if (!version.isEmpty())
        markdown.replace(QStringLiteral("@VERSION@"), version);

    PageGeometry page;
    page.size = pageLayout().paintRectPixels(int(dpi)).size();
    Manual manual(markdown, QFileInfo(source).absolutePath(), page);
    const QStringList missing = manual.loadPictures();
    if (!missing.isEmpty()) {
        for (const QString& name : missing)
            err << "make-manual: " << source << ": cannot load picture " << name << "\n";
        return 2;
    }
    manual.typeset();

    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile output(target);
    if (!output.open(QIODevice::WriteOnly) || !manual.write(&output) || !output.commit()) {
        err << "make-manual: cannot write " << target << ": " << output.errorString() << "\n";
        return 2;
    }
    return 0;
}
