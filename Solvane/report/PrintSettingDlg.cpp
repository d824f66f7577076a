#include "PrintSettingDlg.h"

PrintSettingDlg::PrintSettingDlg(QWidget* parent) : QDialog(parent) {}
