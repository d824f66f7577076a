#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

class QProgressDialog;
class QWidget;

// A progress dialog as long work shows it: shown at once, with Qt's own
// Cancel, kept open until its owner closes it. `maximum` 0 shows motion only.
QProgressDialog* newProgressDialog(QWidget* parent, const char* objectName, const QString& label,
                                   int maximum, Qt::WindowModality modality);

// Runs one piece of work (reading or writing a large file) on a thread of its
// own while the window's events go on, and returns when the work has ended.
// After half a second a progress dialog shows how far it is, with Cancel.
class BackgroundWork
{
public:
    // The work's side: it says how far it is and learns whether to stop.
    class Progress
    {
    public:
        // `done` of `total`; false once the work has been cancelled.
        bool report(qint64 done, qint64 total);

    private:
        friend class BackgroundWork;
        std::atomic<qint64> done{0}, total{0};
        std::atomic<bool> stop{false};
    };
    using Work = std::function<void(Progress& progress)>;

    BackgroundWork(QWidget* parent, const QString& label);
    Q_DISABLE_COPY(BackgroundWork)

    // Runs `work` on another thread and returns when it has returned; the
    // caller's event loop runs meanwhile.
    void run(const Work& work);
    // Asks the work to stop; from the thread that called run().
    void cancel() { progress.stop = true; }

    // How long work (file work, and the meter's read-out too) runs before its
    // dialog shows; tests shorten it.
    static int progressDelay() { return progressDelayMs; }
    static void setProgressDelay(int ms) { progressDelayMs = ms; }

private:
    static inline int progressDelayMs = 500; // shorter work shows no dialog

    QWidget* parent;
    QString label;
    Progress progress;
};
