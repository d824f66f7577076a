#include "CompareDialog.h"
#include "ui_CompareDialog.h"

#include "applicationfiles.h"
#include "windowstyles.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStyledItemDelegate>

#include <cmath>

namespace {

// The thresholds for next time, among the settings like the report's pages.
QString settingsFile()
{
    return ApplicationFiles::settingsFile(QStringLiteral("Compare.ini"));
}
const QString chromaticityKey = QStringLiteral("chromaticityThreshold");
const QString cctKey = QStringLiteral("cctThreshold");

const QColor valueColour(71, 141, 228);
const QColor deltaColour(72, 82, 98);
const QColor deltaBackground(246, 248, 252);
const QColor markedBackground(255, 244, 228);
const QColor beyondColour(176, 84, 0);
const QColor beyondBackground(252, 218, 176);
const QString dash = QStringLiteral("—");
const QString markSign = QStringLiteral("▲ ");
const QRegularExpression isoDate(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d)T"));

// The table keeps the focus for Ctrl+C, but nothing in it is chosen: no
// focus frame on a cell.
class NoFocusFrame : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

} // namespace

CompareDialog::CompareDialog(QWidget* parent) : QDialog(parent), ui(new Ui::CompareDialog)
{
    ui->setupUi(this);
    setUpWidgets();

    // A file that cannot be read, or a value out of range, leaves the defaults.
    const QSettings settings(settingsFile(), QSettings::IniFormat);
    bool ok = false;
    const double chromaticity = settings.value(chromaticityKey).toDouble(&ok);
    if (ok && std::isfinite(chromaticity))
        ui->doubleSpinBox_chromaticityThreshold->setValue(chromaticity);
    const int cct = settings.value(cctKey).toInt(&ok);
    if (ok)
        ui->spinBox_cctThreshold->setValue(cct);
    connect(ui->doubleSpinBox_chromaticityThreshold,
            qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &CompareDialog::thresholdsChanged);
    connect(ui->spinBox_cctThreshold, qOverload<int>(&QSpinBox::valueChanged), this,
            &CompareDialog::thresholdsChanged);

    showRecords({});
    // Ctrl+C copies the table, not a threshold's text.
    ui->tableWidget_compare->setFocus();
}

CompareDialog::~CompareDialog()
{
    delete ui;
}

void CompareDialog::setUpWidgets()
{
    ui->btn_compareExport->setStyleSheet(
        WindowStyle::headerButton("rgb(54,187,95)", "rgb(63,220,110)"));
    ui->btn_copy->setStyleSheet(WindowStyle::headerButton("rgb(71,141,228)", "rgb(90,160,240)"));
    // Ctrl+C copies the whole table, not the one cell a table view copies.
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &CompareDialog::on_btn_copy_clicked);
    addAction(copy);

    QTableWidget* grid = ui->tableWidget_compare;
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setWordWrap(false);
    grid->setItemDelegate(new NoFocusFrame(grid));
    grid->setStyleSheet(WindowStyle::table(false) +
                        QStringLiteral("QTableView{gridline-color: rgb(230,233,240);}"));
    grid->horizontalHeader()->setStyleSheet(WindowStyle::tableHeader());
    if (auto* corner = grid->findChild<QAbstractButton*>())
        corner->setStyleSheet(QStringLiteral(
            "QTableCornerButton::section{background-color: rgb(238,241,247); border: 0px;}"));
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Without a font in its style sheet the header takes each label's own
    // font, so that a marked row's label can be bold.
    QHeaderView* labels = grid->verticalHeader();
    labels->setStyleSheet(
        QStringLiteral("QHeaderView::section{background-color: rgb(238,241,247); border: 0px; "
                       "border-bottom: 1px solid white; color: rgb(96,106,122); "
                       "padding-left: 8px; padding-right: 10px;}"));
    labels->setFont(QFont(QStringLiteral("微软雅黑"), 10));
    labels->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    labels->setSectionResizeMode(QHeaderView::Fixed);
    labels->setDefaultSectionSize(24);
    grid->verticalScrollBar()->setStyleSheet(WindowStyle::scrollBar(true));
    grid->horizontalScrollBar()->setStyleSheet(WindowStyle::scrollBar(false));
}

void CompareDialog::showRecords(const QList<QStringList>& records)
{
    table = RecordComparison::compare(records);
    fillTable();
    markRows();
    if (!isVisible())
        fitToTable();

    QString note;
    if (records.size() < 2)
        note = tr("Select two or more records in the stored data to compare them.");
    else if (table.omitted > 0)
        note = tr("The first %1 of %2 selected records are compared.")
                   .arg(RecordComparison::maxRecords)
                   .arg(records.size());
    ui->label_compareNote->setText(note);
    ui->label_compareNote->setVisible(!note.isEmpty());
    updateButtons();
}

void CompareDialog::fillTable()
{
    QTableWidget* grid = ui->tableWidget_compare;
    const int records = table.names.size();
    const int others = qMax(0, records - 1);
    grid->clear();
    grid->setRowCount(table.rows.size());
    grid->setColumnCount(records + others);

    // The date on lines of its own keeps the columns narrow enough for
    // several records and their differences side by side.
    for (int k = 0; k < records; ++k) {
        const QString date = QString(table.dates.at(k)).replace(isoDate, QStringLiteral("\\1\n"));
        auto* header = new QTableWidgetItem(table.names.at(k) + QLatin1Char('\n') + date);
        header->setToolTip(table.names.at(k) + QLatin1Char(' ') + table.dates.at(k));
        grid->setHorizontalHeaderItem(k, header);
    }
    for (int k = 1; k < records; ++k) {
        auto* header =
            new QTableWidgetItem(tr("Δ to first") + QLatin1Char('\n') + table.names.at(k));
        header->setToolTip(tr("%1 minus %2").arg(table.names.at(k), table.names.at(0)));
        grid->setHorizontalHeaderItem(records + k - 1, header);
    }

    for (int r = 0; r < table.rows.size(); ++r) {
        const RecordComparison::Row& row = table.rows.at(r);
        grid->setVerticalHeaderItem(r, new QTableWidgetItem(row.label));
        for (int k = 0; k < records; ++k) {
            const QString value = row.values.value(k);
            // Δu'v' has no value of its own: blank, not undetermined.
            const bool ownValue = row.limit != RecordComparison::Limit::Chromaticity;
            auto* cell = new QTableWidgetItem(value.isEmpty() && ownValue ? dash : value);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setForeground(valueColour);
            grid->setItem(r, k, cell);
        }
        for (int k = 0; k < row.deltas.size(); ++k) {
            const QString delta = RecordComparison::deltaText(row.deltas.at(k), row.decimals);
            auto* cell = new QTableWidgetItem(delta.isEmpty() ? dash : delta);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(r, records + k, cell);
        }
    }

    // As wide as the widest label marked, so that marking does not move the columns.
    QFont bold = grid->verticalHeader()->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int labelWidth = 0;
    for (const RecordComparison::Row& row : table.rows)
        labelWidth = qMax(labelWidth, metrics.horizontalAdvance(markSign + row.label));
    grid->verticalHeader()->setFixedWidth(labelWidth + 24);

    grid->resizeColumnsToContents();
    // Room for the marked cells' bold text and for a sign, whatever the content.
    for (int column = 0; column < grid->columnCount(); ++column)
        grid->setColumnWidth(column, qMax(90, grid->columnWidth(column) + 8));
}

// It opens as wide as the records need, within the screen; once open, the
// user decides its size.
void CompareDialog::fitToTable()
{
    layout()->activate();
    QTableWidget* grid = ui->tableWidget_compare;
    int tableWidth = grid->verticalHeader()->width() + 2 * grid->frameWidth() +
                     grid->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < grid->columnCount(); ++column)
        tableWidth += grid->columnWidth(column);
    const QRect screen =
        (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
    const int wanted = width() - grid->width() + tableWidth;
    resize(qBound(minimumSizeHint().width(), wanted, screen.width() * 9 / 10), height());
}

void CompareDialog::markRows()
{
    QTableWidget* grid = ui->tableWidget_compare;
    const RecordComparison::Thresholds limits = thresholds();
    const int records = table.names.size();
    for (int r = 0; r < table.rows.size(); ++r) {
        const RecordComparison::Row& row = table.rows.at(r);
        const bool marked = RecordComparison::isMarked(row, limits);
        // A sign and bold type as well as the tint: the mark must not rest on colour.
        QTableWidgetItem* label = grid->verticalHeaderItem(r);
        label->setText(marked ? markSign + row.label : row.label);
        QFont labelFont = grid->verticalHeader()->font();
        labelFont.setBold(marked);
        label->setFont(labelFont);
        for (int k = 0; k < records; ++k)
            grid->item(r, k)->setBackground(marked ? markedBackground : QColor(Qt::white));
        for (int k = 0; k < row.deltas.size(); ++k) {
            QTableWidgetItem* cell = grid->item(r, records + k);
            const bool beyond = RecordComparison::isBeyond(row, k, limits);
            QFont font = grid->font();
            font.setBold(beyond);
            cell->setFont(font);
            cell->setForeground(beyond ? beyondColour : deltaColour);
            cell->setBackground(beyond   ? beyondBackground
                                : marked ? markedBackground
                                         : deltaBackground);
        }
    }
}

RecordComparison::Thresholds CompareDialog::thresholds() const
{
    RecordComparison::Thresholds limits;
    limits.chromaticity = ui->doubleSpinBox_chromaticityThreshold->value();
    limits.cct = ui->spinBox_cctThreshold->value();
    return limits;
}

void CompareDialog::thresholdsChanged()
{
    markRows();
    // Not saved (a folder that cannot be written): they hold until the window closes.
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.setValue(chromaticityKey, ui->doubleSpinBox_chromaticityThreshold->value());
    settings.setValue(cctKey, ui->spinBox_cctThreshold->value());
}

QString CompareDialog::tabSeparatedText() const
{
    return RecordComparison::tabSeparatedText(table, thresholds());
}

QStringList CompareDialog::exportHeader() const
{
    return RecordComparison::exportHeader(table, thresholds());
}

QList<QStringList> CompareDialog::exportLines() const
{
    return RecordComparison::exportLines(table, thresholds());
}

void CompareDialog::setExportEnabled(bool enabled)
{
    exportEnabled = enabled;
    updateButtons();
}

void CompareDialog::updateButtons()
{
    const bool any = !table.names.isEmpty();
    ui->btn_compareExport->setEnabled(exportEnabled && any);
    ui->btn_copy->setEnabled(any);
}

void CompareDialog::on_btn_copy_clicked()
{
    if (!table.names.isEmpty())
        QGuiApplication::clipboard()->setText(tabSeparatedText());
}

void CompareDialog::on_btn_compareExport_clicked()
{
    emit exportRequested();
}
