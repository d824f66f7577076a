#pragma once

// Drives the main window as a user does, for the GUI tests.

#include "mainwindow.h"
#include "messageboxes.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

// Presses a button and answers the message box it may open.
inline SeenMessage press(QWidget* window, const char* button)
{
    MessageBoxAnswerer answerer;
    window->findChild<QPushButton*>(button)->click();
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
    QTableWidget* widget = table(window, name);
    for (int row = 0; row < widget->rowCount(); ++row)
        texts << (widget->item(row, column) ? widget->item(row, column)->text() : QString());
    return texts;
}

inline void clickRecord(QWidget* window, int row, Qt::KeyboardModifiers modifiers = {})
{
    QTableWidget* list = table(window, "tableWidget_storedData");
    const QRect cell = list->visualRect(list->model()->index(row, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
}
