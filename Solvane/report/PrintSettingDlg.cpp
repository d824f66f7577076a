#include "PrintSettingDlg.h"
#include "ui_PrintSettingDlg.h"

#include "applicationfiles.h"
#include "printinfo.h"
#include "resources.h"

#include <QMessageBox>
#include <QSettings>
#include <QStyledItemDelegate>

namespace {

// The pages to print beside the eight lines of "PrintInfo", whose format
// peers rely on.
QString pagesFile()
{
    return ApplicationFiles::settingsFile(QStringLiteral("ReportPages.ini"));
}
const QString qualityPageKey = QStringLiteral("qualityPage");

} // namespace

PrintSettingDlg::PrintSettingDlg(QWidget* parent) : QDialog(parent), ui(new Ui::PrintSettingDlg)
{
    initializeImages();
    ui->setupUi(this);
    connect(ui->btn_cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Without a readable file the fields start empty but look the same.
    QStringList texts;
    if (PrintInfo::read(&texts)) {
        const QList<QLineEdit*> edits = fields();
        for (int i = 0; i < edits.size(); ++i)
            edits[i]->setText(texts.value(i));
    }
    withQualityPage = QSettings(pagesFile(), QSettings::IniFormat).value(qualityPageKey).toBool();
    ui->checkBox_qualityPage->setChecked(withQualityPage);
    applyStyles();
}

PrintSettingDlg::~PrintSettingDlg()
{
    delete ui;
}

QList<QLineEdit*> PrintSettingDlg::fields() const
{
    return {ui->lineEdit_company, ui->lineEdit_address, ui->lineEdit_tel,   ui->lineEdit_fax,
            ui->lineEdit_email,   ui->lineEdit_name,    ui->lineEdit_model, ui->lineEdit_remark};
}

void PrintSettingDlg::applyStyles()
{
    // A white field with a light grey rule below; focus shows a blue bar on the left.
    const QString lineEditStyle = QStringLiteral(
        "QLineEdit{font-family: \"微软雅黑\"; color: rgb(0, 0, 0); padding-left: 5px; "
        "background-color: white; border: 0px solid white; border-left: 3px solid white; "
        "border-bottom: 1px solid rgb(238, 238, 238);}"
        "QLineEdit:focus{background-color: rgb(255,255,255); "
        "border-left: 3px solid rgb(71,141,228); color: rgb(0,0,0);}");
    // The hints stay in English whatever the language of the form.
    const QStringList placeholders = {
        QStringLiteral("Company name"),   QStringLiteral("Company address"),
        QStringLiteral("Company TEL"),    QStringLiteral("Company FAX"),
        QStringLiteral("Company E-mail"), QStringLiteral("Sample name"),
        QStringLiteral("Sample model"),   QStringLiteral("Remark")};
    const QList<QLineEdit*> edits = fields();
    for (int i = 0; i < edits.size(); ++i) {
        edits[i]->setStyleSheet(lineEditStyle);
        edits[i]->setPlaceholderText(placeholders.value(i));
        // Qt 5 draws the hint in the style sheet's text colour, which makes an
        // empty field look filled in; the palette set after polishing keeps it grey.
        edits[i]->ensurePolished();
        QPalette palette = edits[i]->palette();
        palette.setColor(QPalette::PlaceholderText, QColor(127, 138, 153));
        edits[i]->setPalette(palette);
    }

    // A white row like the fields above, its box where their icons are.
    ui->checkBox_qualityPage->setStyleSheet(
        QStringLiteral("QCheckBox{font-family: \"微软雅黑\"; color: rgb(0, 0, 0); "
                       "background-color: white; padding-left: 12px; spacing: 23px;}"));

    const QString buttonStyle =
        QStringLiteral("QPushButton{background-color: %1; border: 0px solid; color: white; "
                       "border-radius: 3px;}QPushButton:hover{background-color: %2;}");
    ui->btn_print->setStyleSheet(
        buttonStyle.arg(QStringLiteral("rgb(54,187,95)"), QStringLiteral("rgb(63,220,110)")));
    ui->btn_cancel->setStyleSheet(
        buttonStyle.arg(QStringLiteral("rgb(224, 67, 67)"), QStringLiteral("rgb(249, 74, 74)")));
    // The list that drops down would be drawn with the selector's white text;
    // a styled delegate lets it take the colours of its own rule.
    ui->comboBox->setItemDelegate(new QStyledItemDelegate(ui->comboBox));
    ui->comboBox->setStyleSheet(QStringLiteral(
        "QComboBox{color: white; background-color: rgb(71,141,228); border: 0px solid "
        "rgb(71,141,228); padding-left: 10px;}QComboBox::drop-down{width: 10px; border: 0px; "
        "padding-right: 10px;}QComboBox::down-arrow{image: url(:/images/down.png);}"
        "QComboBox QAbstractItemView{color: black; background-color: white; "
        "selection-color: white; selection-background-color: rgb(71,141,228);}"
        "QComboBox QAbstractItemView::item{min-height: 30px;}"));
}

void PrintSettingDlg::on_btn_print_clicked()
{
    QStringList texts;
    for (const QLineEdit* edit : fields())
        texts << edit->text();
    // A working folder that cannot be written must not keep the user from
    // printing: the texts are printed as typed, only not offered next time.
    unsaved.clear();
    if (!PrintInfo::write(texts)) {
        QMessageBox::warning(this, tr("Error"),
                             tr("The print information could not be saved for next time. The "
                                "report is printed with it all the same."),
                             QMessageBox::Ok);
        unsaved = texts;
    }
    // A choice that cannot be saved is printed all the same, only not
    // offered next time.
    withQualityPage = ui->checkBox_qualityPage->isChecked();
    QSettings pages(pagesFile(), QSettings::IniFormat);
    pages.setValue(qualityPageKey, withQualityPage);
    pages.sync();
    emit isPdf(ui->comboBox->currentIndex() == 0);
    accept();
}
