#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "LuxEngine.h"
#include "languagesettings.h"
#include "resources.h"
#include "windowstyles.h"

#include <QHeaderView>
#include <QScrollBar>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_scale_engine.h>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), printSettingDlg(nullptr)
{
    initializeImages();
    ui->setupUi(this);
    spectroCurve = new QwtPlotCurve(QString());
    luxEngine = new LuxEngine(nullptr); // loads the meter library, which stays loaded

    // Restore the saved language before connecting, so that restoring it
    // neither rewrites the file nor restarts the application.
    ui->comboBox_language->setCurrentIndex(savedLanguageIndex());
    connect(ui->comboBox_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::on_comboBox_ChangeLanguage);
    connect(&printSettingDlg, &PrintSettingDlg::isPdf, this, &MainWindow::setPrintFormat);

    initializeWidgets();
    currentDataOrdinal = -1;
}

// The meter command set and the curve live as long as the window, which
// lives until the process ends; releasing them here keeps leak checks quiet.
MainWindow::~MainWindow()
{
    delete ui;
    delete spectroCurve;
    delete luxEngine;
}

void MainWindow::initializeWidgets()
{
    using namespace WindowStyle;
    ui->btn_open->setStyleSheet(commandButton("open.png", true));
    ui->btn_print->setStyleSheet(commandButton("print.png", true));
    ui->btn_about->setStyleSheet(commandButton("about.png", false));
    ui->btn_help->setStyleSheet(commandButton("help.png", false));
    ui->btn_contact->setStyleSheet(commandButton("homepage.png", false));
    ui->btn_readData->setStyleSheet(headerButton("rgb(157,166,187)", "rgb(187,197,222)"));
    ui->btn_export->setStyleSheet(headerButton("rgb(54,187,95)", "rgb(63,220,110)"));
    ui->comboBox_language->setStyleSheet(selector("white", "rgb(71,141,228)", "down.png"));
    ui->comboBox_plot->setStyleSheet(selector("rgb(127,138,153)", "white", "arrow_blue.png"));
    ui->comboBox_observer->setStyleSheet(
        selector("rgb(127,138,153)", "rgb(238,241,247)", "arrow_blue.png"));

    setUpTables();
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
    for (int row : {0, 18})
        if (QTableWidgetItem* unit = items->item(row, 3))
            unit->setFont(QFont(tableFont, 9));

    QTableWidget* intensity = ui->tableWidget_intensityData;
    intensity->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    intensity->horizontalHeader()->setFixedHeight(30);
    intensity->verticalHeader()->hide();
    for (int i = 0; i < 401; ++i) {
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
    plot->setCanvas(new QwtPlotCanvas);

    QwtLinearScaleEngine engine(10);
    QwtScaleDiv division = engine.divideScale(380, 780, 0, 4, 0);
    division.setTicks(QwtScaleDiv::MajorTick, {380, 480, 580, 680, 780});
    division.setTicks(QwtScaleDiv::MediumTick, {400, 420, 440, 460, 500, 520, 540, 560, 600, 620,
                                                640, 660, 700, 720, 740, 760});
    plot->setAxisScaleDiv(QwtPlot::xBottom, division);

    attachGrid();
    plot->replot();
}

void MainWindow::on_btn_open_clicked() {}
void MainWindow::on_btn_print_clicked() {}
void MainWindow::on_btn_help_clicked() {}
void MainWindow::on_btn_contact_clicked() {}
void MainWindow::on_btn_about_clicked() {}
void MainWindow::on_btn_readData_clicked() {}
void MainWindow::on_btn_export_clicked() {}

void MainWindow::on_tableWidget_storedData_cellClicked(int row, int column)
{
    Q_UNUSED(row)
    Q_UNUSED(column)
}

void MainWindow::on_comboBox_plot_currentIndexChanged(int index)
{
    Q_UNUSED(index)
}

// The observer is read when a read-out starts; changing it changes nothing shown.
void MainWindow::on_comboBox_observer_currentIndexChanged(int index)
{
    Q_UNUSED(index)
}

void MainWindow::on_comboBox_ChangeLanguage(int index)
{
    Q_UNUSED(index)
}

void MainWindow::setPrintFormat(bool pdf)
{
    isPdf = pdf;
}
