#pragma once

#include "recordcomparison.h"

#include <QDialog>
#include <QStringList>

namespace Ui {
class CompareDialog;
}

// The records selected in the main window side by side, with each one's
// difference to the first; rows where a record differs beyond a threshold
// are marked. Non-modal; the window shows in it what is selected.
class CompareDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CompareDialog(QWidget* parent = nullptr);
    ~CompareDialog() override;

    // The selection, in selection order; the first maxRecords are compared.
    void showRecords(const QList<QStringList>& records);
    // What Copy puts on the clipboard.
    QString tabSeparatedText() const;
    // For TKIOStream::writeSolvaneData.
    QStringList exportHeader() const;
    QList<QStringList> exportLines() const;
    // Export waits, like the main window's, while other work runs.
    void setExportEnabled(bool enabled);

signals:
    // Export was pressed: the window writes the file.
    void exportRequested();

private slots:
    void on_btn_compareExport_clicked();
    void on_btn_copy_clicked();

private:
    void setUpWidgets();
    void fillTable();
    void markRows();
    void fitToTable();
    void thresholdsChanged();
    void updateButtons();
    RecordComparison::Thresholds thresholds() const;

    Ui::CompareDialog* ui;
    RecordComparison::Table table;
    bool exportEnabled = true;
};
