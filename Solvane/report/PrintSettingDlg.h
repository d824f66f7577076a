#pragma once

#include <QDialog>

// Collects the company and sample information for the test report and
// whether the report goes to a PDF file or to paper.
class PrintSettingDlg : public QDialog
{
    Q_OBJECT

public:
    explicit PrintSettingDlg(QWidget* parent = nullptr);

signals:
    void isPdf(bool pdf);
};
