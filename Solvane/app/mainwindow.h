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

private:
    // Connected by the constructor, not by name: a slot named like this would
    // make the form's automatic connection look for a widget called "comboBox".
    void on_comboBox_ChangeLanguage(int index);

    Ui::MainWindow* ui;
    LuxEngine* luxEngine;
    QwtPlotCurve* spectroCurve;
    QList<QStringList> dataList;
    PrintSettingDlg printSettingDlg;
    int currentDataOrdinal;
    bool isPdf = false;
};
