#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "LuxEngine.h"
#include "languagesettings.h"

#include <qwt_plot_curve.h>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), printSettingDlg(nullptr)
{
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

void MainWindow::initializeWidgets() {}

void MainWindow::on_comboBox_ChangeLanguage(int index)
{
    Q_UNUSED(index)
}

void MainWindow::setPrintFormat(bool pdf)
{
    isPdf = pdf;
}
