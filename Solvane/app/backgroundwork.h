#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>

class QWidget;

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
        bool cancelled() const { return stop; }

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
    bool wasCancelled() const { return progress.stop; }

    // How long work runs before its dialog shows (tests shorten it).
    static void setProgressDelay(int ms) { progressDelayMs = ms; }

private:
    static inline int progressDelayMs = 500; // shorter work shows no dialog

    QWidget* parent;
    QString label;
    Progress progress;
};
