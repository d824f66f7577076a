#pragma once

// Answers the next message box that a modal call opens, so that GUI tests can
// press buttons that report through QMessageBox and see what it said.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

struct SeenMessage
{
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> buttons;
};

class MessageBoxAnswerer : public QObject
{
public:
    // Presses `answer` (or the first button) in the next message box.
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton)
        : answer(answer)
    {
        connect(&timer, &QTimer::timeout, this, [this] { poll(); });
        timer.start(5);
    }

    SeenMessage seen;

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer.stop();
        seen.shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << box->standardButton(button);
        QAbstractButton* press =
            answer == QMessageBox::NoButton ? box->buttons().value(0) : box->button(answer);
        if (press)
            press->click();
    }

    QMessageBox::StandardButton answer;
    QTimer timer;
};
