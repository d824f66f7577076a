#pragma once

#include <QDialog>

class QLineEdit;

namespace Ui {
class PrintSettingDlg;
}

// Collects the company and sample information for the test report, whether
// the light-quality page follows it, and whether the report goes to a PDF file
// or to paper. The texts are kept in the file "PrintInfo", the page choice in
// "ReportPages.ini"; both are read once at construction and written on every
// Print.
class PrintSettingDlg : public QDialog
{
    Q_OBJECT

public:
    explicit PrintSettingDlg(QWidget* parent = nullptr);
    ~PrintSettingDlg() override;

    // The texts of the last accepted Print when they could not be saved to
    // "PrintInfo"; empty when they were.
    QStringList unsavedTexts() const { return unsaved; }
    // Whether the light-quality page was chosen at the last accepted Print
    // (before any, as last saved).
    bool qualityPage() const { return withQualityPage; }

signals:
    // Once per accepted dialog: true for a PDF file, false for paper.
    void isPdf(bool pdf);

private slots:
    void on_btn_print_clicked();

private:
    // The eight fields in the order of the lines of "PrintInfo".
    QList<QLineEdit*> fields() const;
    void applyStyles();

    Ui::PrintSettingDlg* ui;
    QStringList unsaved;
    bool withQualityPage = false;
};
