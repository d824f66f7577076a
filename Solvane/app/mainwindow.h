#pragma once

#include "ComparisonPlot.h"
#include "MeterReadout.h"
#include "PrintSettingDlg.h"
#include "backgroundwork.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>

#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

class CompareDialog;
class QDialog;
class LightQualityDialog;
class QPrinter;
class QProgressDialog;
class QTableWidget;
class QUrl;
class QwtPlotCurve;
namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ isBusy NOTIFY busyChanged)

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The measurement records and the one shown (-1 before the first read-out).
    const QList<QStringList>& records() const { return dataList; }
    int currentRecordIndex() const { return currentDataOrdinal; }
    // Replaces every record, lists them and shows the first.
    void setRecords(const QList<QStringList>& records);

    // Asks for a data file's path; an empty path means the user cancelled.
    enum class FileDialog
    {
        Open,
        Save
    };
    using FileChooser =
        std::function<QString(QWidget* parent, FileDialog kind, const QString& caption,
                              const QString& proposed, const QString& filter)>;
    // Tests answer the file dialogs through this.
    void setFileChooser(FileChooser chooser) { chooseFile = std::move(chooser); }

    // Hands a URL to the desktop (manual, contact page); false when nothing opened it.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    void setUrlOpener(UrlOpener opener) { openUrl = std::move(opener); }
    // Starts a detached process (the restart after a language change).
    using ProcessStarter =
        std::function<bool(const QString& program, const QStringList& arguments)>;
    void setProcessStarter(ProcessStarter starter) { startProcess = std::move(starter); }

    // While a read-out, an open or an export runs: Read, Open, Export, Print
    // and the language wait for it.
    bool isBusy() const { return busy; }

signals:
    void busyChanged(bool busy);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void initializeWidgets();
    void setPrintFormat(bool pdf);
    void print(QPrinter* printer);

    // Connected by name by the form.
    void on_btn_open_clicked();
    void on_btn_print_clicked();
    void on_btn_help_clicked();
    void on_btn_contact_clicked();
    void on_btn_about_clicked();
    void on_btn_quality_clicked();
    void on_btn_compare_clicked();
    void on_btn_readData_clicked();
    void on_btn_export_clicked();
    void on_tableWidget_storedData_cellClicked(int row, int column);
    void on_comboBox_plot_currentIndexChanged(int index);
    void on_comboBox_observer_currentIndexChanged(int index);
    void on_comboBox_scale_currentIndexChanged(int index);
    void on_tableWidget_storedData_itemSelectionChanged();

    void updateStoredItemTable(QTableWidget* table, QList<QStringList> data);
    void updateTestItemTable(QTableWidget* table, QStringList data);
    void updateIntensityTable(QTableWidget* table, QStringList data);

    void changeGraphToSpectro();
    void changeGraphToCIE1931();
    void changeGraphToCIE1976();
    void updatePlotSpectro(QList<float> data);
    void updatePlotCIE1931();
    void updatePlotCIE1976();
    void updatePlot(int index);

private:
    // Connected by the constructor, not by name: a slot named like this would
    // make the form's automatic connection look for a widget called "comboBox".
    void on_comboBox_ChangeLanguage(int index);
    void setUpTables();
    void appendStoredRow(QTableWidget* table, const QStringList& record);
    void setStoredRow(QTableWidget* table, int row, const QStringList& record);
    void attachGrid();
    void changeGraphToDiagram(double yMax, double xMax, const QString& picture);
    void updatePlotChromaticity(int xEntry, const char* xLabel, const char* yLabel);
    const QStringList* selectedRecord() const;
    void showNoRecord();
    void checkPdfOutput(QPrinter* printer, bool painted);
    // The selected rows that hold records, each once, in the order the
    // selection names them; and their records.
    QList<int> selectedRows() const;
    QList<QStringList> selectedRecords() const;
    QList<QStringList> recordsAt(const QList<int>& rows) const;
    void exportLightQuality();
    // Makes a selected record's line of an export.
    using LineMaker = std::function<QStringList(const QStringList& record)>;
    void exportSelection(QWidget* parent, const QString& proposed, const QStringList& header,
                         const LineMaker& lineOf);
    void exportComparison();
    // Every export asks alike for a CSV file; empty when the user cancelled.
    QString chooseFileToSave(QWidget* parent, const QString& proposed);
    void tellExportOutcome(QWidget* parent, bool written);
    template <typename Dialog> Dialog* sideWindow(Dialog*& dialog, void (MainWindow::*exportIt)());
    static void raiseSideWindow(QDialog* dialog);
    // The records to compare: the selection when it holds two or more.
    QList<QStringList> comparedRecords() const;
    // Draws the records compared; with none, hands the plot back to the record shown.
    void showComparison(const QList<QStringList>& compared);
    // The records Print makes a report of: the selection's, or the one shown.
    QList<QStringList> recordsToPrint() const;
    void showQuality();
    void setBusy(bool on);
    // Runs file work with progress; false when the window closes instead.
    bool runFileWork(BackgroundWork& work,
                     const std::function<void(BackgroundWork::Progress&)>& job);
    void showReadings();
    void releaseOldRecords();
    void showReadoutProgress();
    void endReadout();

    Ui::MainWindow* ui;
    MeterReadout* meterReadout; // owns the meter library's only user
    // Readings come faster than records are computed and listed: they wait
    // here and are shown a slice at a time, so that the window stays responsive.
    std::deque<StoredReading> waitingReadings;
    QTimer readingTimer;
    // The last read-out's records, freed a little at a time while the next
    // runs: freeing thousands at once held the window for a tenth of a second.
    QList<QStringList> oldRecords;
    QTimer releaseTimer;
    QTimer progressDelay;
    QProgressDialog* readoutProgress = nullptr;
    int readoutObserver = 0;
    std::optional<MeterReadout::Outcome> readoutOutcome; // set once the meter is done
    BackgroundWork* fileWork = nullptr;
    bool busy = false;
    bool askingToClose = false;
    bool closeWhenIdle = false;
    QwtPlotCurve* spectroCurve;
    ComparisonPlot* comparisonPlot;
    QList<QStringList> dataList;
    FileChooser chooseFile;
    UrlOpener openUrl;
    ProcessStarter startProcess;
    PrintSettingDlg printSettingDlg;
    LightQualityDialog* qualityDialog = nullptr; // made when first opened
    CompareDialog* compareDialog = nullptr;      // likewise
    int currentDataOrdinal;
    int runningLanguage; // the language this instance started in
    bool isPdf = false;
    // What became of the PDF file of the last print.
    enum class PdfOutcome
    {
        NotWritten,
        Written,
        Failed
    } pdfOutcome = PdfOutcome::NotWritten;
};
