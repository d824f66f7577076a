#pragma once

#include <QDialog>
#include <QStringList>

namespace Ui {
class LightQualityDialog;
}
namespace RecordQuality {
struct Evaluation;
}

// The light-quality measures of one record beside the main window: TM-30
// with its colour vector graphic, the α-opic quantities, the photon flux
// densities and the spectrum's shape. Non-modal; the window shows in it the
// record it shows itself.
class LightQualityDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LightQualityDialog(QWidget* parent = nullptr);
    ~LightQualityDialog() override;

    // Computes and shows a record's measures; null shows that none is selected.
    void showRecord(const QStringList* record);
    // Export waits, like the main window's, while other work runs.
    void setExportEnabled(bool enabled);

signals:
    // Export was pressed: the window knows which records are selected.
    void exportRequested();

private slots:
    void on_btn_qualityExport_clicked();

private:
    void setUpWidgets();
    void showEvaluation(const RecordQuality::Evaluation& evaluation);
    QString explanation(const RecordQuality::Evaluation& evaluation) const;

    Ui::LightQualityDialog* ui;
};
