#include "backgroundwork.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <memory>
#include <thread>

namespace {
constexpr int progressUpdateMs = 50;
} // namespace

QProgressDialog* newProgressDialog(QWidget* parent, const char* objectName, const QString& label,
                                   int maximum, Qt::WindowModality modality)
{
    auto* dialog = new QProgressDialog(parent); // with Qt's own Cancel
    dialog->setObjectName(QLatin1String(objectName));
    dialog->setWindowModality(modality);
    dialog->setLabelText(label);
    dialog->setRange(0, maximum);
    dialog->setMinimumDuration(0);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    dialog->show();
    return dialog;
}

bool BackgroundWork::Progress::report(qint64 doneSoFar, qint64 all)
{
    done = doneSoFar;
    total = all;
    return !stop;
}

void BackgroundWork::run(const Work& work)
{
    QEventLoop loop;
    std::atomic<bool> ended{false};
    std::thread worker([&] {
        work(progress);
        ended = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    std::unique_ptr<QProgressDialog> dialog;
    QTimer update;
    QObject::connect(&update, &QTimer::timeout, [&] {
        if (!dialog) {
            dialog.reset(
                newProgressDialog(parent, "progress_fileWork", label, 1000, Qt::WindowModal));
            QObject::connect(dialog.get(), &QProgressDialog::canceled, [this] { cancel(); });
        }
        const qint64 total = progress.total;
        dialog->setValue(total > 0 ? int(1000 * progress.done / total) : 0);
        update.start(progressUpdateMs);
    });
    update.setSingleShot(true);
    update.start(progressDelayMs);

    // An application that quits ends every event loop, this one too: the
    // work is then told to stop, and waited for.
    if (!ended)
        loop.exec();
    update.stop();
    if (!ended)
        cancel();
    worker.join();
}

BackgroundWork::BackgroundWork(QWidget* parentWidget, const QString& text)
    : parent(parentWidget), label(text)
{
}
