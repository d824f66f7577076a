#pragma once

// Drives windows as a user does: answers the modal windows that block the test
// which opened them, and works the main window by the names of its widgets.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <functional>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>

// Every 5 ms while it lives, hands the active modal widget, if any, to `handle`.
class ModalHandler : public QObject
{
public:
    explicit ModalHandler(std::function<void(QWidget*)> handle)
    {
        connect(&timer, &QTimer::timeout, this, [handle] {
            if (QWidget* modal = QApplication::activeModalWidget())
                handle(modal);
        });
        timer.start(5);
    }
    void stop() { timer.stop(); }

private:
    QTimer timer;
};

struct SeenMessage
{
    bool shown = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Presses the first button of the next message box, and keeps what the box said.
struct MessageBoxAnswerer
{
    SeenMessage seen;
    ModalHandler handler{[this](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            handler.stop();
            seen = {true, box->windowTitle(), box->text(), box->icon(), {}};
            for (QAbstractButton* button : box->buttons())
                seen.buttons << button->text();
            box->buttons().value(0)->click();
        }
    }};
};

// Presses a button, waits for the work it starts (a read-out runs on after
// the click), and answers the message box it may open.
inline SeenMessage press(QWidget* window, const char* button)
{
    MessageBoxAnswerer answerer;
    window->findChild<QPushButton*>(button)->click();
    if (!QTest::qWaitFor([window] { return !window->property("busy").toBool(); }, 120000))
        qWarning("%s: the work it started has not ended", button);
    return answerer.seen;
}

// "Read" with the virtual meter holding `count` factory records.
inline SeenMessage readMeter(QWidget* window, const QByteArray& count)
{
    qputenv("TORVIK_VM_RECORD_COUNT", count);
    return press(window, "btn_readData");
}

inline QTableWidget* table(QWidget* window, const char* name)
{
    return window->findChild<QTableWidget*>(name);
}

// The texts of one column, empty for missing cells.
inline QStringList tableColumn(QWidget* window, const char* name, int column)
{
    QStringList texts;
    for (int row = 0; row < table(window, name)->rowCount(); ++row) {
        const QTableWidgetItem* cell = table(window, name)->item(row, column);
        texts << (cell ? cell->text() : QString());
    }
    return texts;
}

inline void clickRecord(QWidget* window, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTableWidget* list = table(window, "tableWidget_storedData");
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
}

// Ctrl+clicks the rows into a selection of their own, in this order.
inline void selectRecords(QWidget* window, std::initializer_list<int> rows)
{
    table(window, "tableWidget_storedData")->clearSelection();
    for (int row : rows)
        clickRecord(window, row, Qt::ControlModifier);
}

// The plot mode: 0 spectrum, 1 CIE 1931, 2 CIE 1976.
inline void choosePlot(QWidget* window, int mode)
{
    window->findChild<QComboBox*>("comboBox_plot")->setCurrentIndex(mode);
}

// The curve or cross the plot shows, null when there is none.
inline QwtPlotCurve* plotCurve(QWidget* window)
{
    const QwtPlotItemList curves =
        window->findChild<QwtPlot*>("qwtPlot")->itemList(QwtPlotItem::Rtti_PlotCurve);
    return curves.isEmpty() ? nullptr : static_cast<QwtPlotCurve*>(curves.first());
}

// "Print" in the window: the settings dialog, with the company typed and the
// light-quality page chosen or not, then the preview's print button. Returns
// the messages shown; *preview: the preview's printer, "-" for no preview.
inline QStringList printFromWindow(QWidget* window, QString* preview, bool qualityPage = false)
{
    QStringList messages;
    *preview = "-";
    bool answered = false; // the settings dialog
    const auto later = [](QObject* object, const char* slot) {
        QMetaObject::invokeMethod(object, slot, Qt::QueuedConnection);
    };
    ModalHandler handler([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            later(box->buttons().value(0), "click");
        } else if (modal->inherits("QPrintDialog")) {
            later(modal, "accept");
        } else if (dialog && *preview == "-") {
            *preview = dialog->printer()->outputFileName();
            if (dialog->printer()->outputFormat() == QPrinter::PdfFormat)
                *preview += " PDF " + dialog->printer()->pageLayout().pageSize().key();
            later(dialog, "_q_print");
        } else if (modal->inherits("PrintSettingDlg") && !answered) {
            answered = true;
            modal->findChild<QLineEdit*>("lineEdit_company")->setText("Example Optics Ltd");
            modal->findChild<QCheckBox*>("checkBox_qualityPage")->setChecked(qualityPage);
            later(modal->findChild<QPushButton*>("btn_print"), "click");
        }
    });
    window->findChild<QPushButton*>("btn_print")->click();
    return messages;
}
