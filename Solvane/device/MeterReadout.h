#pragma once

#include "metercommands.h"

#include <QDateTime>
#include <QObject>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

class LuxEngine;

// One stored record as the meter gave it, before anything is computed from it.
struct StoredReading
{
    QDateTime time; // the meter's wall-clock stamp, invalid for impossible fields
    double illuminance = 0.0;
    double ratio = 0.0;
    std::array<double, MeterCommand::spectrumPoints> intensity{};
};

// Reads every stored record, in order, on a thread of its own, so that the
// thread that asked stays free to show them as they come. While a read-out
// runs, that thread alone talks to the meter library.
class MeterReadout : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Completed, // the meter said there are no more records
        Failed,    // an exchange failed
        Cancelled  // cancel() was called
    };
    Q_ENUM(Outcome)

    // Loads the meter library, which stays loaded while this lives.
    explicit MeterReadout(QObject* parent = nullptr);
    // Cancels a read-out that runs and waits for its exchange in flight.
    ~MeterReadout() override;

    // Starts reading from record 0; false when a read-out already runs.
    bool start();
    // Stops after the exchange in flight; what was read so far stays.
    void cancel();
    // The readings that have come since the last call, in the meter's order.
    std::vector<StoredReading> takeReadings();

signals:
    // Readings wait where there were none; takeReadings() takes them.
    void readingsArrived();
    // The read-out has ended and its thread is gone; readings may still wait.
    void finished(MeterReadout::Outcome outcome);

private:
    void readAll();
    void workerDone();

    LuxEngine* engine;
    std::thread worker;
    std::atomic<bool> cancelRequested{false};
    bool running = false;                 // from start() until finished() has been emitted
    Outcome outcome = Outcome::Completed; // written by the worker, read after join

    std::mutex lock; // guards `waiting`
    std::vector<StoredReading> waiting;
};
