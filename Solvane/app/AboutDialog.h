#pragma once

#include <QDialog>

namespace Ui {
class AboutDialog;
}

// The application's name and the maker's contact details.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

private:
    Ui::AboutDialog* ui;
};
