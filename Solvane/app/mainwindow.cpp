#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "AboutDialog.h"
#include "CompareDialog.h"
#include "LightQualityDialog.h"
#include "TKIOStream.h"
#include "applicationfiles.h"
#include "backgroundwork.h"
#include "colorimetry.h"
#include "languagesettings.h"
#include "measurementrecord.h"
#include "printinfo.h"
#include "qualityreport.h"
#include "recordquality.h"
#include "resources.h"
#include "testreport.h"
#include "windowstyles.h"

#include <QCloseEvent>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QScrollBar>
#include <QSet>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_scale_engine.h>
#include <qwt_symbol.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The longest the window spends on arriving records before it lets other
// events through.
constexpr int readingSliceMs = 15;
// The same for freeing the last read-out's records, kept shorter: the memory
// allocator may spend about as long again merging what was freed.
constexpr int releaseSliceMs = 2;
// More reports than this are printed only when the user confirms.
constexpr int askBeforePrintingMore = 20;

// A value cell of the test-item and intensity tables.
QTableWidgetItem* valueItem(const QString& text, Qt::Alignment alignment)
{
    static const QFont font(QStringLiteral("微软雅黑"), 10, QFont::Bold);
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setForeground(QColor(71, 141, 228));
    item->setFont(font);
    return item;
}

// A name typed without a suffix gets ".csv", as native dialogs do, so that the
// file shows up under the filter when it is opened again.
QString askForFile(QWidget* parent, MainWindow::FileDialog kind, const QString& caption,
                   const QString& proposed, const QString& filter)
{
    if (kind == MainWindow::FileDialog::Open)
        return QFileDialog::getOpenFileName(parent, caption, proposed, filter);
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), chooseFile(askForFile),
      openUrl(&QDesktopServices::openUrl),
      startProcess([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }),
      printSettingDlg(nullptr)
{
    initializeImages();
    ui->setupUi(this);
    spectroCurve = new QwtPlotCurve(QString());
    comparisonPlot = new ComparisonPlot(ui->qwtPlot);
    meterReadout = new MeterReadout(this); // loads the meter library, which stays loaded
    connect(meterReadout, &MeterReadout::readingsArrived, &readingTimer,
            QOverload<>::of(&QTimer::start));
    connect(meterReadout, &MeterReadout::finished, this, [this](MeterReadout::Outcome outcome) {
        readoutOutcome = outcome;
        readingTimer.start();
    });
    // A timer, not a queued call: one slice per pass of the event loop.
    readingTimer.setSingleShot(true);
    readingTimer.setInterval(0);
    connect(&readingTimer, &QTimer::timeout, this, &MainWindow::showReadings);
    releaseTimer.setInterval(0);
    connect(&releaseTimer, &QTimer::timeout, this, &MainWindow::releaseOldRecords);
    progressDelay.setSingleShot(true);
    connect(&progressDelay, &QTimer::timeout, this, &MainWindow::showReadoutProgress);

    // Restore the saved language before connecting, so that restoring it
    // neither rewrites the file nor restarts the application.
    runningLanguage = savedLanguageIndex();
    ui->comboBox_language->setCurrentIndex(runningLanguage);
    connect(ui->comboBox_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::on_comboBox_ChangeLanguage);
    connect(&printSettingDlg, &PrintSettingDlg::isPdf, this, &MainWindow::setPrintFormat);

    initializeWidgets();
    currentDataOrdinal = -1;
}

// The curve lives as long as the window, which lives until the process ends;
// releasing it here keeps leak checks quiet. A read-out still running is
// stopped and its thread waited for before anything it reports to goes.
MainWindow::~MainWindow()
{
    delete meterReadout;
    delete comparisonPlot;
    delete ui;
    delete spectroCurve;
}

void MainWindow::initializeWidgets()
{
    using namespace WindowStyle;
    ui->btn_open->setStyleSheet(commandButton("open.png", true));
    ui->btn_print->setStyleSheet(commandButton("print.png", true));
    ui->btn_about->setStyleSheet(commandButton("about.png", false));
    ui->btn_quality->setStyleSheet(commandButton("quality.png", false));
    ui->btn_help->setStyleSheet(commandButton("help.png", false));
    ui->btn_contact->setStyleSheet(commandButton("homepage.png", false));
    ui->btn_readData->setStyleSheet(headerButton("rgb(157,166,187)", "rgb(187,197,222)"));
    ui->btn_export->setStyleSheet(headerButton("rgb(54,187,95)", "rgb(63,220,110)"));
    ui->comboBox_language->setStyleSheet(selector("white", "rgb(71,141,228)", "down.png"));
    ui->btn_compare->setStyleSheet(headerButton("rgb(71,141,228)", "rgb(96,163,245)"));
    ui->comboBox_plot->setStyleSheet(selector("rgb(127,138,153)", "white", "arrow_blue.png"));
    ui->comboBox_scale->setStyleSheet(selector("rgb(127,138,153)", "white", "arrow_blue.png"));
    ui->comboBox_observer->setStyleSheet(
        selector("rgb(127,138,153)", "rgb(238,241,247)", "arrow_blue.png"));

    // Room for the longest translated choice beside the arrow; the form's
    // width fits only the shortest texts.
    for (QComboBox* selector : {ui->comboBox_plot, ui->comboBox_scale}) {
        int widest = 0;
        for (int i = 0; i < selector->count(); ++i)
            widest = qMax(widest, selector->fontMetrics().horizontalAdvance(selector->itemText(i)));
        selector->setMinimumWidth(qMax(100, widest + 45));
    }

    setUpTables();
    // The diagram pictures' edges are the axis ranges: the scales end exactly
    // at the canvas edges, which have no margin and no frame.
    ui->qwtPlot->plotLayout()->setCanvasMargin(0);
    ui->qwtPlot->plotLayout()->setAlignCanvasToScales(true);
    changeGraphToSpectro();
}

void MainWindow::setUpTables()
{
    using namespace WindowStyle;
    const QColor valueColour(71, 141, 228);
    const QString tableFont = QStringLiteral("微软雅黑");

    QTableWidget* stored = ui->tableWidget_storedData;
    stored->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    stored->horizontalHeader()->setFixedHeight(30);
    stored->verticalHeader()->hide();
    stored->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stored->setSelectionBehavior(QAbstractItemView::SelectRows);
    QFont storedFont = stored->font();
    storedFont.setPointSize(9);
    storedFont.setBold(false);
    stored->setFont(storedFont);

    QTableWidget* items = ui->tableWidget_itemData;
    items->horizontalHeader()->hide();
    items->verticalHeader()->hide();
    items->setShowGrid(false);
    for (int column : {0, 1}) {
        items->setColumnWidth(column, 80);
        items->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
    }
    for (int column : {2, 3})
        items->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    for (int row = 0; row < items->rowCount(); ++row) {
        auto* value = new QTableWidgetItem;
        value->setForeground(valueColour);
        items->setItem(row, 2, value);
        if (QTableWidgetItem* symbol = items->item(row, 1))
            symbol->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (int row = 0; row < MeasurementRecord::itemTotal; ++row)
        if (*MeasurementRecord::items[row].unit)
            if (QTableWidgetItem* unit = items->item(row, 3))
                unit->setFont(QFont(tableFont, 9));

    QTableWidget* intensity = ui->tableWidget_intensityData;
    intensity->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    intensity->horizontalHeader()->setFixedHeight(30);
    intensity->verticalHeader()->hide();
    for (int i = 0; i < MeasurementRecord::spectrumLength; ++i) {
        intensity->insertRow(i);
        auto* wavelength = new QTableWidgetItem(QString::number(380 + i) + QStringLiteral(" nm"));
        wavelength->setTextAlignment(Qt::AlignCenter);
        intensity->setItem(i, 0, wavelength);
    }

    stored->setStyleSheet(table(false));
    intensity->setStyleSheet(table(false));
    items->setStyleSheet(table(true));
    stored->horizontalHeader()->setStyleSheet(tableHeader());
    intensity->horizontalHeader()->setStyleSheet(tableHeader());
    stored->verticalScrollBar()->setStyleSheet(scrollBar(false));
    items->verticalScrollBar()->setStyleSheet(scrollBar(false));
    intensity->verticalScrollBar()->setStyleSheet(scrollBar(true));
}

// One dotted grid in every mode.
void MainWindow::attachGrid()
{
    for (QwtPlotItem* old : ui->qwtPlot->itemList(QwtPlotItem::Rtti_PlotGrid)) {
        old->detach();
        delete old;
    }
    auto* grid = new QwtPlotGrid;
    grid->setPen(QPen(QColor(120, 120, 120), 0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    grid->attach(ui->qwtPlot);
}

void MainWindow::changeGraphToSpectro()
{
    QwtPlot* plot = ui->qwtPlot;
    plot->setAxisScale(QwtPlot::yLeft, 0, 70000, 0);
    // A fresh canvas drops a diagram picture left on the old one.
    auto* canvas = new QwtPlotCanvas;
    canvas->setFrameStyle(QFrame::NoFrame);
    plot->setCanvas(canvas);

    QwtLinearScaleEngine engine(10);
    QwtScaleDiv division = engine.divideScale(380, 780, 0, 4, 0);
    division.setTicks(QwtScaleDiv::MajorTick, {380, 480, 580, 680, 780});
    division.setTicks(QwtScaleDiv::MediumTick, {400, 420, 440, 460, 500, 520, 540, 560, 600, 620,
                                                640, 660, 700, 720, 740, 760});
    plot->setAxisScaleDiv(QwtPlot::xBottom, division);

    attachGrid();
    plot->replot();
}

void MainWindow::changeGraphToCIE1931()
{
    changeGraphToDiagram(0.9, 0.8, QStringLiteral("cie1931"));
}

void MainWindow::changeGraphToCIE1976()
{
    changeGraphToDiagram(0.6, 0.65, QStringLiteral("cie1976"));
}

void MainWindow::changeGraphToDiagram(double yMax, double xMax, const QString& picture)
{
    QwtPlot* plot = ui->qwtPlot;
    plot->setAxisScale(QwtPlot::yLeft, 0, yMax, 0.2);
    plot->setAxisScale(QwtPlot::xBottom, 0, xMax, 0.2);
    plot->canvas()->setStyleSheet(
        QStringLiteral("border-image: url(:/images/%1.png);").arg(picture));
    attachGrid();
    plot->replot();
}

void MainWindow::updatePlotSpectro(QList<float> data)
{
    QVector<QPointF> points;
    points.reserve(data.size());
    for (int i = 0; i < data.size(); ++i)
        points << QPointF(380.0 + i, data.at(i));
    spectroCurve->setSamples(points);

    // No outline: the curve shows as its rainbow fill only.
    spectroCurve->setPen(QPen(QColor(86, 177, 254, 0), 3, Qt::SolidLine));
    spectroCurve->setSymbol(new QwtSymbol(QwtSymbol::NoSymbol));
    QLinearGradient rainbow(0, 1, 1, 1);
    rainbow.setCoordinateMode(QGradient::StretchToDeviceMode);
    rainbow.setColorAt(0.0, QColor(255, 0, 255));
    rainbow.setColorAt(0.17, Qt::blue);
    rainbow.setColorAt(0.4, Qt::green);
    rainbow.setColorAt(0.62, Qt::yellow);
    rainbow.setColorAt(1.0, Qt::red);
    spectroCurve->setBrush(rainbow);

    spectroCurve->setRenderHint(QwtPlotItem::RenderAntialiased);
    spectroCurve->attach(ui->qwtPlot);
    ui->qwtPlot->replot();
}

void MainWindow::updatePlotCIE1931()
{
    updatePlotChromaticity(MeasurementRecord::entryX, "x:", ", y:");
}

void MainWindow::updatePlotCIE1976()
{
    updatePlotChromaticity(MeasurementRecord::entryU, "u:", ", v:");
}

// The selected record's chromaticity as a red cross; none when the record has
// no such entries or they are not finite.
void MainWindow::updatePlotChromaticity(int xEntry, const char* xLabel, const char* yLabel)
{
    if (currentDataOrdinal < 0 || currentDataOrdinal >= dataList.size())
        return;
    const QStringList& record = dataList.at(currentDataOrdinal);
    QVector<QPointF> point;
    if (xEntry + 1 < MeasurementRecord::layout(record.size()).itemEnd) {
        const float x = record.at(xEntry).toFloat();
        const float y = record.at(xEntry + 1).toFloat();
        qDebug() << xLabel << x << yLabel << y;
        if (std::isfinite(x) && std::isfinite(y))
            point << QPointF(x, y);
    }

    spectroCurve->detach();
    spectroCurve->setSymbol(
        new QwtSymbol(QwtSymbol::XCross, QBrush(), QPen(Qt::red, 0, Qt::SolidLine), QSize(12, 12)));
    spectroCurve->setSamples(point);
    spectroCurve->attach(ui->qwtPlot);
    ui->qwtPlot->replot();
}

void MainWindow::updatePlot(int index)
{
    Q_UNUSED(index)
    if (currentDataOrdinal >= 0 && currentDataOrdinal < dataList.size())
        updateIntensityTable(ui->tableWidget_intensityData, dataList.at(currentDataOrdinal));
}

void MainWindow::on_comboBox_plot_currentIndexChanged(int index)
{
    switch (index) {
    case 0:
        changeGraphToSpectro();
        break;
    case 1:
        changeGraphToCIE1931();
        break;
    case 2:
        changeGraphToCIE1976();
        break;
    default:
        break;
    }
    updatePlot(index);
    showComparison(comparedRecords());
}

void MainWindow::on_comboBox_scale_currentIndexChanged(int index)
{
    Q_UNUSED(index)
    showComparison(comparedRecords());
}

// The plot, the Compare window and the Compare button follow the selection.
void MainWindow::on_tableWidget_storedData_itemSelectionChanged()
{
    const QList<QStringList> selected = recordsAt(selectedRows());
    ui->btn_compare->setEnabled(selected.size() >= 2);
    if (compareDialog && compareDialog->isVisible())
        compareDialog->showRecords(selected);
    showComparison(selected.size() >= 2 ? selected : QList<QStringList>());
}

// Two or more selected records are drawn together; otherwise the plot shows
// the record the tables show, as it always has.
void MainWindow::showComparison(const QList<QStringList>& compared)
{
    const int mode = ui->comboBox_plot->currentIndex();
    ui->comboBox_scale->setEnabled(mode == 0 && !compared.isEmpty());
    if (compared.isEmpty()) {
        if (!comparisonPlot->isShown())
            return;
        comparisonPlot->clear();
        if (mode == 0)
            ui->qwtPlot->setAxisScale(QwtPlot::yLeft, 0, 70000, 0);
        updatePlot(mode);
        ui->qwtPlot->replot();
        return;
    }
    spectroCurve->detach();
    if (mode == 0) {
        const bool normalised = ui->comboBox_scale->currentIndex() == 1;
        ui->qwtPlot->setAxisScale(QwtPlot::yLeft, 0, normalised ? 1.1 : 70000, 0);
        comparisonPlot->showSpectra(compared, normalised ? ComparisonPlot::Scale::Normalised
                                                         : ComparisonPlot::Scale::Counts);
    } else if (mode == 1) { // the legend where each diagram leaves a corner empty
        comparisonPlot->showChromaticities(compared, MeasurementRecord::entryX,
                                           Qt::AlignRight | Qt::AlignTop);
    } else {
        comparisonPlot->showChromaticities(compared, MeasurementRecord::entryU,
                                           Qt::AlignRight | Qt::AlignBottom);
    }
    ui->qwtPlot->replot();
}

// The meter is read on another thread; records are listed as they come, the
// first is shown at once, and the observer chosen now applies to them all.
void MainWindow::on_btn_readData_clicked()
{
    if (busy)
        return;
    oldRecords += std::exchange(dataList, {});
    releaseTimer.start();
    ui->tableWidget_storedData->setRowCount(0);
    showNoRecord();
    waitingReadings.clear();
    readoutOutcome.reset();
    readoutObserver = ui->comboBox_observer->currentIndex();
    setBusy(true);
    meterReadout->start();
    progressDelay.start(BackgroundWork::progressDelay());
}

void MainWindow::showReadings()
{
    for (StoredReading& reading : meterReadout->takeReadings())
        waitingReadings.push_back(std::move(reading));
    QElapsedTimer slice;
    slice.start();
    while (!waitingReadings.empty() && slice.elapsed() < readingSliceMs) {
        const StoredReading& reading = waitingReadings.front();
        const int k = dataList.size();
        dataList.append(MeasurementRecord::fromReading(k, reading.time, reading.illuminance,
                                                       reading.intensity.data(), reading.ratio,
                                                       readoutObserver));
        waitingReadings.pop_front();
        appendStoredRow(ui->tableWidget_storedData, dataList.last());
        if (k == 0)
            on_tableWidget_storedData_cellClicked(0, 1);
    }
    if (readoutProgress)
        readoutProgress->setLabelText(tr("%1 records read").arg(dataList.size()));
    if (!waitingReadings.empty())
        readingTimer.start();
    else if (readoutOutcome && !askingToClose)
        endReadout();
}

void MainWindow::releaseOldRecords()
{
    QElapsedTimer slice;
    slice.start();
    while (!oldRecords.isEmpty() && slice.elapsed() < releaseSliceMs)
        oldRecords.removeLast();
    if (oldRecords.isEmpty())
        releaseTimer.stop();
}

void MainWindow::showReadoutProgress()
{
    if (readoutOutcome || readoutProgress)
        return;
    // Non-modal: the records can be looked at while they come.
    readoutProgress = newProgressDialog(
        this, "progress_readout", tr("%1 records read").arg(dataList.size()), 0, Qt::NonModal);
    connect(readoutProgress, &QProgressDialog::canceled, meterReadout, &MeterReadout::cancel);
}

// The records read stay whatever the outcome; the message says which it was.
void MainWindow::endReadout()
{
    progressDelay.stop();
    delete readoutProgress;
    readoutProgress = nullptr;
    const MeterReadout::Outcome outcome = *readoutOutcome;
    readoutOutcome.reset();
    if (!closeWhenIdle) {
        QString message;
        switch (outcome) {
        case MeterReadout::Outcome::Completed:
            message = QStringLiteral("读取存储数据完成");
            break;
        case MeterReadout::Outcome::Failed:
            message = QStringLiteral("读取存储数据失败");
            break;
        case MeterReadout::Outcome::Cancelled:
            message = tr("The read-out was cancelled. The %1 records read before it are kept.")
                          .arg(dataList.size());
            break;
        }
        QMessageBox::warning(this, QString(), message, QMessageBox::Ok);
    }
    setBusy(false);
    if (closeWhenIdle)
        close();
}

void MainWindow::setBusy(bool on)
{
    busy = on;
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui->btn_readData, ui->btn_open, ui->btn_export, ui->btn_print, ui->comboBox_language})
        control->setEnabled(!on);
    emit busyChanged(on);
}

// Closing stops the work first: a read-out after the user agrees, file work
// at once. The window closes when the work has ended.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!busy) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    if (closeWhenIdle || askingToClose)
        return;
    if (fileWork) {
        closeWhenIdle = true;
        fileWork->cancel();
        return;
    }
    askingToClose = true;
    const auto answer = QMessageBox::question(
        this, QString(),
        tr("A read-out is running. Stop it and close Solvane? The records read so far will "
           "not be kept."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    askingToClose = false;
    if (answer == QMessageBox::Yes) {
        closeWhenIdle = true;
        meterReadout->cancel();
    }
    readingTimer.start(); // the read-out may have ended meanwhile
}

bool MainWindow::runFileWork(BackgroundWork& work, const BackgroundWork::Work& job)
{
    fileWork = &work;
    setBusy(true);
    work.run(job);
    fileWork = nullptr;
    setBusy(false);
    if (closeWhenIdle) {
        close();
        return false;
    }
    return true;
}

void MainWindow::setRecords(const QList<QStringList>& records)
{
    oldRecords += std::exchange(dataList, records);
    releaseTimer.start();
    updateStoredItemTable(ui->tableWidget_storedData, dataList);
    on_tableWidget_storedData_cellClicked(0, 1);
}

void MainWindow::on_tableWidget_storedData_cellClicked(int row, int column)
{
    Q_UNUSED(column)
    qDebug() << dataList.isEmpty();
    if (dataList.isEmpty()) {
        qDebug() << "The data list is empty!(on_tableWidget_storedData_cellClicked)";
        showNoRecord();
        return;
    }
    if (row < 0 || row >= dataList.size())
        return;
    currentDataOrdinal = row;
    updateTestItemTable(ui->tableWidget_itemData, dataList.at(row));
    updateIntensityTable(ui->tableWidget_intensityData, dataList.at(row));
    showQuality();
}

// The panels as at start: a record no longer in the list is not shown.
void MainWindow::showNoRecord()
{
    currentDataOrdinal = -1;
    ui->label_dataName->setText(tr("No data selected"));
    for (int row = 0; row < ui->tableWidget_itemData->rowCount(); ++row)
        ui->tableWidget_itemData->setItem(row, 2,
                                          valueItem(QString(), Qt::AlignRight | Qt::AlignVCenter));
    for (int row = 0; row < ui->tableWidget_intensityData->rowCount(); ++row)
        ui->tableWidget_intensityData->setItem(row, 1, valueItem(QString(), Qt::AlignCenter));
    spectroCurve->detach();
    spectroCurve->setSamples(QVector<QPointF>());
    ui->qwtPlot->replot();
    showQuality();
}

void MainWindow::updateStoredItemTable(QTableWidget* table, QList<QStringList> data)
{
    table->setRowCount(0);
    table->setRowCount(data.size());
    for (int row = 0; row < data.size(); ++row)
        setStoredRow(table, row, data.at(row));
}

void MainWindow::appendStoredRow(QTableWidget* table, const QStringList& record)
{
    const int row = table->rowCount();
    table->insertRow(row);
    setStoredRow(table, row, record);
}

// Name and date, centred; a record without them gets empty cells.
void MainWindow::setStoredRow(QTableWidget* table, int row, const QStringList& record)
{
    for (int column : {0, 1}) {
        auto* cell = new QTableWidgetItem(record.value(column));
        cell->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, cell);
    }
}

// Rows the record has no item for are emptied rather than left showing the
// previous record's values under this record's name.
void MainWindow::updateTestItemTable(QTableWidget* table, QStringList data)
{
    if (data.isEmpty()) {
        qDebug() << "The data list is empty!(updateTestItemTable)";
        return;
    }
    ui->label_dataName->setText(data.at(0));
    const int itemEnd = MeasurementRecord::layout(data.size()).itemEnd;
    for (int row = 0; row < table->rowCount(); ++row) {
        const int entry = row + 2;
        table->setItem(row, 2,
                       valueItem(entry < itemEnd ? data.at(entry) : QString(),
                                 Qt::AlignRight | Qt::AlignVCenter));
    }
}

void MainWindow::updateIntensityTable(QTableWidget* table, QStringList data)
{
    if (data.isEmpty()) {
        qDebug() << "The data list is empty!(updateIntensityTable)";
        return;
    }
    const MeasurementRecord::Layout layout = MeasurementRecord::layout(data.size());
    QList<float> spectrum;
    spectrum.reserve(layout.spectrumCount);
    for (int j = 0; j < MeasurementRecord::spectrumLength; ++j) {
        QString text;
        if (j < layout.spectrumCount) {
            text = data.at(layout.spectrumBegin + j);
            spectrum << text.toFloat();
        }
        table->setItem(j, 1, valueItem(text, Qt::AlignCenter));
    }

    if (comparisonPlot->isShown())
        return; // the plot shows the selected records
    switch (ui->comboBox_plot->currentIndex()) {
    case 0:
        updatePlotSpectro(spectrum);
        break;
    case 1:
        updatePlotCIE1931();
        break;
    case 2:
        updatePlotCIE1976();
        break;
    default:
        break;
    }
}

QList<int> MainWindow::selectedRows() const
{
    QList<int> rows;
    QSet<int> taken;
    for (const QTableWidgetItem* item : ui->tableWidget_storedData->selectedItems()) {
        const int row = item->row();
        if (taken.contains(row) || row >= dataList.size())
            continue;
        taken.insert(row);
        rows << row;
    }
    return rows;
}

QList<QStringList> MainWindow::recordsAt(const QList<int>& rows) const
{
    QList<QStringList> records;
    for (int row : rows)
        records << dataList.at(row);
    return records;
}

QList<QStringList> MainWindow::selectedRecords() const
{
    const QList<int> rows = selectedRows();
    for (int row : rows)
        qDebug() << "export:" << row;
    return recordsAt(rows);
}

QList<QStringList> MainWindow::comparedRecords() const
{
    const QList<int> rows = selectedRows();
    return rows.size() >= 2 ? recordsAt(rows) : QList<QStringList>();
}

QString MainWindow::chooseFileToSave(QWidget* parent, const QString& proposed)
{
    return chooseFile(parent, FileDialog::Save, tr("Save file"), proposed, tr("Data file(*.csv)"));
}

void MainWindow::tellExportOutcome(QWidget* parent, bool written)
{
    if (written)
        QMessageBox::warning(parent, tr("Successful"), tr("Succeeded in exporting data"),
                             QMessageBox::Ok);
    else
        QMessageBox::warning(parent, tr("Failure"), tr("Fail to export data"), QMessageBox::Ok);
}

void MainWindow::on_btn_export_clicked()
{
    exportSelection(this, QStringLiteral("Solvane Data"), MeasurementRecord::fieldNames(), {});
}

// The light-quality measures of the selected records, one line each.
void MainWindow::exportLightQuality()
{
    if (busy)
        return;
    exportSelection(qualityDialog ? static_cast<QWidget*>(qualityDialog) : this,
                    QStringLiteral("Solvane Light Quality"), RecordQuality::exportHeader(),
                    [](const QStringList& record) {
                        return RecordQuality::exportLine(record, RecordQuality::evaluate(record));
                    });
}

// The selected records, or the lines made of them, written on another thread
// with progress and Cancel; an existing file stays until the new one is whole.
void MainWindow::exportSelection(QWidget* parent, const QString& proposed,
                                 const QStringList& header, const LineMaker& lineOf)
{
    const QList<QStringList> selected = selectedRecords();
    if (selected.isEmpty()) {
        QMessageBox::warning(parent, tr("Error"), tr("No item is selected"), QMessageBox::Ok);
        return;
    }
    const QString path = chooseFileToSave(parent, proposed);
    if (path.isEmpty())
        return;
    TKIOStream stream;
    stream.setFileDirectory(path);
    bool written = false;
    bool cancelled = false;
    BackgroundWork work(parent, tr("Exporting data…"));
    if (!runFileWork(work,
                     [&](BackgroundWork::Progress& progress) {
                         const qint64 count = selected.size();
                         // Making lines takes longer than writing them: the first
                         // half of the way.
                         const qint64 making = lineOf ? count : 0;
                         QList<QStringList> lines;
                         if (lineOf) {
                             lines.reserve(selected.size());
                             for (const QStringList& record : selected) {
                                 if (!progress.report(lines.size(), making + count)) {
                                     cancelled = true;
                                     return;
                                 }
                                 lines << lineOf(record);
                             }
                         }
                         stream.setProgressReport([&progress, making, count](qint64 done,
                                                                             qint64 total) {
                             return progress.report(making + done * count / qMax<qint64>(total, 1),
                                                    making + count);
                         });
                         written = stream.writeSolvaneData(header, lineOf ? lines : selected);
                         cancelled = stream.cancelled();
                     }) ||
        cancelled)
        return; // an existing file stays as it was
    tellExportOutcome(parent, written);
}

// The records shown stay until a file has been read in full; a large file is
// read on another thread, with progress and Cancel.
void MainWindow::on_btn_open_clicked()
{
    const QString path = chooseFile(this, FileDialog::Open, tr("Open file"),
                                    QStringLiteral("Solvane Data"), tr("Data file(*.csv)"));
    if (path.isEmpty())
        return;
    TKIOStream stream;
    stream.setFileDirectory(path);
    QStringList tag;
    QList<QStringList> records;
    bool read = false;
    BackgroundWork work(this, tr("Opening the data file…"));
    if (!runFileWork(work,
                     [&](BackgroundWork::Progress& progress) {
                         stream.setProgressReport([&progress](qint64 done, qint64 total) {
                             return progress.report(done, total);
                         });
                         read = stream.readSolvaneData(&tag, &records);
                     }) ||
        stream.readError() == TKIOStream::ReadError::Cancelled)
        return; // the records shown stay
    QString failure;
    if (!read) {
        switch (stream.readError()) {
        case TKIOStream::ReadError::NotDataFile:
            failure = tr("This file is not a Solvane data file.");
            break;
        case TKIOStream::ReadError::NotAFile:
            failure = tr("Only files can be opened, not folders or devices.");
            break;
        case TKIOStream::ReadError::TooLarge:
            failure = tr("This file is far larger than a Solvane data file can be.");
            break;
        default:
            failure = tr("Fail to open the file");
            break;
        }
    } else if (std::all_of(records.cbegin(), records.cend(), [](const QStringList& record) {
                   return record.size() == 1 && record.first().isEmpty();
               })) {
        failure = tr("This file holds no records."); // nothing, or blank lines only
    }
    if (!failure.isEmpty()) {
        QMessageBox::warning(this, tr("Error"), failure, QMessageBox::Ok);
        return;
    }
    setRecords(records);
}

// The record the tables show, if there is one.
const QStringList* MainWindow::selectedRecord() const
{
    if (currentDataOrdinal < 0 || currentDataOrdinal >= dataList.size())
        return nullptr;
    return &dataList.at(currentDataOrdinal);
}

QList<QStringList> MainWindow::recordsToPrint() const
{
    QList<QStringList> records = comparedRecords();
    if (records.isEmpty())
        if (const QStringList* record = selectedRecord())
            records << *record;
    return records;
}

// Several selected records print one report each, in the selection's order.
void MainWindow::on_btn_print_clicked()
{
    const QList<QStringList> records = recordsToPrint();
    if (records.isEmpty()) {
        QMessageBox::warning(this, tr("Error"),
                             tr("No record to print. Read the meter or open a data file first."),
                             QMessageBox::Ok);
        return;
    }
    for (const QStringList& record : records) {
        if (TestReport::canPrint(record))
            continue;
        QMessageBox::warning(
            this, tr("Error"),
            records.size() == 1
                ? tr("The selected record is incomplete and cannot be printed.")
                : tr("The record \"%1\" is incomplete and cannot be printed. Nothing was printed.")
                      .arg(record.value(0)),
            QMessageBox::Ok);
        return;
    }
    // The preview lays out every page at once: a selection of hundreds would
    // hold the window for minutes, so it is asked for, not taken for granted.
    if (records.size() > askBeforePrintingMore &&
        QMessageBox::question(
            this, tr("Print"),
            tr("%1 records are selected. Print a report for each of them?").arg(records.size()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (printSettingDlg.exec() != QDialog::Accepted)
        return;

    QPrinter printer(QPrinter::ScreenResolution);
    if (isPdf) {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setResolution(printer.resolution());
        printer.setOutputFormat(QPrinter::PdfFormat);
        // Absolute, so that the print dialog keeps it where it is proposed
        // (Qt's own dialog would put a bare name in the home directory).
        printer.setOutputFileName(ApplicationFiles::reportFile());
    }
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &MainWindow::print);
    pdfOutcome = PdfOutcome::NotWritten;
    preview.exec();
    const QString written = QDir::toNativeSeparators(printer.outputFileName());
    if (pdfOutcome == PdfOutcome::Failed)
        QMessageBox::warning(this, tr("Error"),
                             tr("The report could not be written to \"%1\".").arg(written),
                             QMessageBox::Ok);
    // Away from the working directory (the documents folder of an installed
    // Solvane) the file would be hard to find without being told.
    else if (pdfOutcome == PdfOutcome::Written &&
             QFileInfo(printer.outputFileName()).absoluteDir() != QDir::current())
        QMessageBox::information(
            this, tr("Print"), tr("The report was saved as \"%1\".").arg(written), QMessageBox::Ok);
}

// The PDF writer does not report a file it could not write in full; the file
// itself tells. A broken one is removed, an old one that could not be
// replaced stays.
void MainWindow::checkPdfOutput(QPrinter* printer, bool painted)
{
    if (printer->outputFormat() != QPrinter::PdfFormat ||
        printer->paintEngine()->type() != QPaintEngine::Pdf)
        return; // the preview's own rendering
    const QString file = printer->outputFileName();
    if (painted && TestReport::isCompletePdf(file)) {
        pdfOutcome = PdfOutcome::Written;
        return;
    }
    pdfOutcome = PdfOutcome::Failed;
    if (painted && QFileInfo(file).isFile())
        QFile::remove(file);
}

// The page stays blank without the print information or a printable record.
// Information that could not be saved is printed as it was accepted, not as
// an older file has it.
void MainWindow::print(QPrinter* printer)
{
    QPainter painter(printer);
    QStringList printInfo = printSettingDlg.unsavedTexts();
    const QList<QStringList> records = recordsToPrint();
    if (printInfo.isEmpty())
        PrintInfo::read(&printInfo); // left empty when it cannot be read
    if (!printInfo.isEmpty() && !records.isEmpty() && painter.isActive()) {
        const QDateTime now = QDateTime::currentDateTime();
        for (int k = 0; k < records.size(); ++k) {
            if (k > 0)
                printer->newPage();
            TestReport::paint(&painter, printer, records.at(k), printInfo, now);
            if (records.size() > 1)
                TestReport::paintRecordName(&painter, printer, records.at(k));
            if (printSettingDlg.qualityPage()) {
                printer->newPage();
                QualityReport::paint(&painter, printer, records.at(k), now);
            }
        }
    }
    const bool painted = painter.isActive();
    painter.end();
    checkPdfOutput(printer, painted);
}

// The working directory's manual, else the installed one.
void MainWindow::on_btn_help_clicked()
{
    const QString manual =
        QFileInfo(ApplicationFiles::dataFile(QStringLiteral("KVR900 manual.pdf")))
            .absoluteFilePath();
    if (!QFileInfo::exists(manual)) {
        QMessageBox::warning(
            this, tr("Error"),
            tr("The user manual \"%1\" was not found.").arg(QDir::toNativeSeparators(manual)),
            QMessageBox::Ok);
        return;
    }
    const QUrl url = QUrl::fromLocalFile(manual);
    if (!openUrl(url))
        QMessageBox::warning(
            this, tr("Error"),
            tr("No application could open %1.").arg(QDir::toNativeSeparators(manual)),
            QMessageBox::Ok);
}

void MainWindow::on_btn_contact_clicked()
{
    const QUrl url(QStringLiteral("https://kvr.example.com/company/contact-kvr"),
                   QUrl::TolerantMode);
    if (!openUrl(url))
        QMessageBox::warning(this, tr("Error"),
                             tr("No web browser could open %1.").arg(url.toString()),
                             QMessageBox::Ok);
}

void MainWindow::on_btn_about_clicked()
{
    AboutDialog about(nullptr);
    about.exec();
}

// A side window made on first use and kept while the main window lives; its
// Export waits, like the main window's, while other work runs.
template <typename Dialog>
Dialog* MainWindow::sideWindow(Dialog*& dialog, void (MainWindow::*exportIt)())
{
    if (!dialog) {
        dialog = new Dialog(this);
        connect(dialog, &Dialog::exportRequested, this, exportIt);
        connect(this, &MainWindow::busyChanged, dialog,
                [dialog](bool on) { dialog->setExportEnabled(!on); });
        dialog->setExportEnabled(!busy);
    }
    return dialog;
}

void MainWindow::raiseSideWindow(QDialog* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

// It follows the record shown while it is open.
void MainWindow::on_btn_quality_clicked()
{
    sideWindow(qualityDialog, &MainWindow::exportLightQuality)->showRecord(selectedRecord());
    raiseSideWindow(qualityDialog);
}

// It follows the selection while it is open.
void MainWindow::on_btn_compare_clicked()
{
    sideWindow(compareDialog, &MainWindow::exportComparison)
        ->showRecords(recordsAt(selectedRows()));
    raiseSideWindow(compareDialog);
}

// The comparison as shown, written as safely as the data export.
void MainWindow::exportComparison()
{
    if (busy)
        return;
    const QString path = chooseFileToSave(compareDialog, QStringLiteral("Solvane Comparison"));
    if (path.isEmpty())
        return;
    TKIOStream stream;
    stream.setFileDirectory(path);
    tellExportOutcome(compareDialog, stream.writeSolvaneData(compareDialog->exportHeader(),
                                                             compareDialog->exportLines()));
}

void MainWindow::showQuality()
{
    if (qualityDialog && qualityDialog->isVisible())
        qualityDialog->showRecord(selectedRecord());
}

// The observer is read when a read-out starts; changing it changes nothing shown.
void MainWindow::on_comboBox_observer_currentIndexChanged(int index)
{
    Q_UNUSED(index)
}

// A language takes effect at start: save it, then let a new instance take over.
void MainWindow::on_comboBox_ChangeLanguage(int index)
{
    if (!saveLanguageIndex(index)) {
        QMessageBox::warning(this, tr("Error"),
                             tr("The language could not be saved: \"%1\" is not writable.")
                                 .arg(QDir::toNativeSeparators(languageSettingsFile())),
                             QMessageBox::Ok);
        const QSignalBlocker blocker(ui->comboBox_language);
        ui->comboBox_language->setCurrentIndex(runningLanguage);
        return;
    }
    QApplication::closeAllWindows();
    if (!startProcess(QCoreApplication::applicationFilePath(), QStringList()))
        QMessageBox::warning(nullptr, tr("Error"),
                             tr("Solvane could not restart itself. Start it again to use the "
                                "chosen language."),
                             QMessageBox::Ok);
}

void MainWindow::setPrintFormat(bool pdf)
{
    isPdf = pdf;
}
