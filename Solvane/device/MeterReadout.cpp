#include "MeterReadout.h"

#include "LuxEngine.h"

MeterReadout::MeterReadout(QObject* parent) : QObject(parent), engine(new LuxEngine(nullptr)) {}

MeterReadout::~MeterReadout()
{
    cancel();
    if (worker.joinable())
        worker.join();
    delete engine;
}

bool MeterReadout::start()
{
    if (running)
        return false;
    {
        const std::lock_guard<std::mutex> guard(lock);
        waiting.clear();
    }
    cancelRequested = false;
    running = true;
    worker = std::thread(&MeterReadout::readAll, this);
    return true;
}

void MeterReadout::cancel()
{
    cancelRequested = true;
}

std::vector<StoredReading> MeterReadout::takeReadings()
{
    const std::lock_guard<std::mutex> guard(lock);
    std::vector<StoredReading> taken;
    taken.swap(waiting);
    return taken;
}

// The worker thread. Signals to this object cross to its own thread queued.
void MeterReadout::readAll()
{
    Outcome end = Outcome::Cancelled;
    for (int k = 0; !cancelRequested; ++k) {
        StoredReading reading;
        const int result = engine->readStoredData(k, &reading.time, &reading.illuminance,
                                                  reading.intensity.data(), &reading.ratio);
        if (result != LuxEngine::Succeeded) {
            end = result == LuxEngine::NoRecord ? Outcome::Completed : Outcome::Failed;
            break;
        }
        bool first;
        {
            const std::lock_guard<std::mutex> guard(lock);
            first = waiting.empty();
            waiting.push_back(std::move(reading));
        }
        if (first)
            emit readingsArrived();
    }
    outcome = end;
    QMetaObject::invokeMethod(this, &MeterReadout::workerDone, Qt::QueuedConnection);
}

void MeterReadout::workerDone()
{
    worker.join();
    running = false;
    emit finished(outcome);
}
