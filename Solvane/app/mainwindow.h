#pragma once

#include "PrintSettingDlg.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

class LuxEngine;
class QwtPlotCurve;
namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

private slots:
    void initializeWidgets();
    void setPrintFormat(bool pdf);

    // Connected by name by the form.
    void on_btn_open_clicked();
    void on_btn_print_clicked();
    void on_btn_help_clicked();
    void on_btn_contact_clicked();
    void on_btn_about_clicked();
    void on_btn_readData_clicked();
    void on_btn_export_clicked();
    void on_tableWidget_storedData_cellClicked(int row, int column);
    void on_comboBox_plot_currentIndexChanged(int index);
    void on_comboBox_observer_currentIndexChanged(int index);

    void changeGraphToSpectro();

private:
    // Connected by the constructor, not by name: a slot named like this would
    // make the form's automatic connection look for a widget called "comboBox".
    void on_comboBox_ChangeLanguage(int index);
    void setUpTables();
    void attachGrid();

    Ui::MainWindow* ui;
    LuxEngine* luxEngine;
    QwtPlotCurve* spectroCurve;
    QList<QStringList> dataList;
    PrintSettingDlg printSettingDlg;
    int currentDataOrdinal;
    bool isPdf = false;
};
