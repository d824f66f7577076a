#include "LightQualityDialog.h"
#include "ui_LightQualityDialog.h"

#include "ohnocct.h"
#include "qualitygraphics.h"
#include "recordquality.h"
#include "windowstyles.h"

#include <QHeaderView>

#include <cmath>

using RecordQuality::shownNumber;

LightQualityDialog::LightQualityDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::LightQualityDialog)
{
    ui->setupUi(this);
    setUpWidgets();
    showRecord(nullptr);
}

LightQualityDialog::~LightQualityDialog()
{
    delete ui;
}

void LightQualityDialog::setUpWidgets()
{
    ui->btn_qualityExport->setStyleSheet(
        WindowStyle::headerButton("rgb(54,187,95)", "rgb(63,220,110)"));
    ui->widget_binFidelity->setTitle(tr("Local fidelity Rf,h"));
    ui->widget_binFidelity->setScale(0, 100, 20);
    ui->widget_binChroma->setTitle(tr("Local chroma shift Rcs,h (%)"));
    ui->widget_binChroma->setScale(-40, 40, 20);
    ui->widget_ppfdBands->setTitle(tr("Photon flux density by band (µmol·m⁻²·s⁻¹)"));

    QTableWidget* table = ui->tableWidget_alphaOpic;
    table->setColumnCount(3);
    table->setRowCount(alphaOpicCount);
    table->setHorizontalHeaderLabels(
        {tr("Irradiance\nmW/m²"), QStringLiteral("EDI\nlx"), QStringLiteral("DER\n")});
    table->setVerticalHeaderLabels(
        {tr("S-cone"), tr("M-cone"), tr("L-cone"), tr("Rhodopic"), tr("Melanopic")});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(22);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setStyleSheet(WindowStyle::table(false));
    table->horizontalHeader()->setStyleSheet(WindowStyle::tableHeader());
    table->verticalHeader()->setStyleSheet(WindowStyle::tableHeader());
    for (int row = 0; row < alphaOpicCount; ++row)
        for (int column = 0; column < 3; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setForeground(QColor(71, 141, 228));
            table->setItem(row, column, cell);
        }
}

void LightQualityDialog::showRecord(const QStringList* record)
{
    if (!record) {
        ui->label_qualityRecord->setText(tr("No data selected"));
        ui->label_qualityDate->clear();
        RecordQuality::Evaluation nothing = RecordQuality::evaluate(QStringList());
        showEvaluation(nothing);
        ui->label_qualityNote->clear();
        ui->label_qualityNote->hide();
        return;
    }
    ui->label_qualityRecord->setText(record->value(0));
    ui->label_qualityDate->setText(record->value(1));
    showEvaluation(RecordQuality::evaluate(*record));
}

void LightQualityDialog::showEvaluation(const RecordQuality::Evaluation& evaluation)
{
    const LightQuality& q = evaluation.quality;
    const QString note = explanation(evaluation);
    ui->label_qualityNote->setText(note);
    ui->label_qualityNote->setVisible(!note.isEmpty());

    // A CCT that is not meaningful keeps its value, marked, with the reason beside it.
    const bool flagged = std::isfinite(q.cct) && !q.cctValid;
    const QString valueColour = flagged ? QStringLiteral("color: rgb(214,120,20);")
                                        : QStringLiteral("color: rgb(71,141,228);");
    ui->label_cct->setText(flagged ? QStringLiteral("⚠ ") + shownNumber(q.cct, 0)
                                   : shownNumber(q.cct, 0));
    ui->label_duv->setText(shownNumber(q.duv, 4));
    ui->label_cctNote->clear();
    if (flagged)
        ui->label_cctNote->setText(
            std::abs(q.duv) > ohnoDuvLimit
                ? tr("Not meaningful: |Duv| is above 0.05, the light is too far from white. "
                     "The TM-30 values are for information only.")
                : tr("Not meaningful: the nearest Planckian temperature lies outside "
                     "1000–25000 K. The TM-30 values are for information only."));
    ui->label_cctNote->setVisible(flagged);
    for (QLabel* label : {ui->label_cct, ui->label_rf, ui->label_rg, ui->label_cieRf})
        label->setStyleSheet(valueColour);

    ui->label_rf->setText(shownNumber(q.tm30.rf, 0));
    ui->label_rg->setText(shownNumber(q.tm30.rg, 0));
    ui->label_cieRf->setText(shownNumber(q.cie2017Rf, 0));
    ui->widget_cvg->setFidelity(q.tm30);
    ui->widget_binFidelity->setBars(QualityGraphics::binBars(q.tm30.binFidelity));
    ui->widget_binChroma->setBars(QualityGraphics::binBars(q.tm30.binChromaShift));

    ui->label_melEdi->setText(shownNumber(q.edi[AlphaMelanopic], 1));
    ui->label_melDer->setText(shownNumber(q.der[AlphaMelanopic], 3));
    for (int row = 0; row < alphaOpicCount; ++row) {
        ui->tableWidget_alphaOpic->item(row, 0)->setText(shownNumber(1000 * q.irradiance[row], 2));
        ui->tableWidget_alphaOpic->item(row, 1)->setText(shownNumber(q.edi[row], 1));
        ui->tableWidget_alphaOpic->item(row, 2)->setText(shownNumber(q.der[row], 3));
    }

    ui->label_ppfd->setText(shownNumber(q.ppfd, 1));
    const QVector<QualityGraphics::Bar> bars =
        QualityGraphics::bandBars(q, {tr("Blue"), tr("Green"), tr("Red"), tr("Far red")}, 0);
    double high, step;
    QualityGraphics::barScale(bars, &high, &step);
    ui->widget_ppfdBands->setScale(0, high, step);
    ui->widget_ppfdBands->setBars(bars);

    ui->label_peak->setText(shownNumber(q.shape.peak, 0));
    ui->label_fwhm->setText(shownNumber(q.shape.fwhm, 1));
    ui->label_centroid->setText(shownNumber(q.shape.centroid, 1));
    ui->label_spRatio->setText(shownNumber(q.spRatio, 2));
}

// Why measures are missing, in one line; empty when all could be computed.
QString LightQualityDialog::explanation(const RecordQuality::Evaluation& evaluation) const
{
    using RecordQuality::Problem;
    const LightQuality& q = evaluation.quality;
    switch (evaluation.problem) {
    case Problem::NoIlluminance:
        return tr("The record's illuminance cannot be read, so its light quality cannot be "
                  "computed.");
    case Problem::IncompleteSpectrum:
        return tr("The record has no complete spectrum of 401 intensities, so its light "
                  "quality cannot be computed.");
    case Problem::UnreadableIntensity:
        return tr("The record's intensity at %1 nm cannot be read, so its light quality "
                  "cannot be computed.")
            .arg(evaluation.wavelength);
    case Problem::None:
        break;
    }
    if (!std::isfinite(q.shape.peak))
        return tr("The spectrum holds no light: every measure is undetermined.");
    if (!std::isfinite(q.cct))
        return tr("The spectrum holds no visible light: only its shape can be given.");
    if (!std::isfinite(q.ppfd))
        return tr("The illuminance is not positive: the absolute quantities (α-opic irradiance "
                  "and EDI, photon flux densities) cannot be given.");
    return QString();
}

void LightQualityDialog::setExportEnabled(bool enabled)
{
    ui->btn_qualityExport->setEnabled(enabled);
}

void LightQualityDialog::on_btn_qualityExport_clicked()
{
    emit exportRequested();
}
