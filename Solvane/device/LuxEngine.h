#pragma once

#include "TKFoundation.h"

#include <QDateTime>
#include <QObject>

// The meter's command set as typed operations. Each returns Succeeded (or
// the value read) or Failed, and writes one line to the debug log.
class LuxEngine : public QObject
{
    Q_OBJECT

public:
    enum Result
    {
        Succeeded = 1,
        NoRecord = 0, // readStoredData past the last record
        Failed = -1
    };
    Q_ENUM(Result)

    explicit LuxEngine(QObject* parent = nullptr);
    ~LuxEngine() override;

public slots:
    int setIntegrationTime(int time);
    int readIntegrationTime();
    int saveIntegrationTime();
    int readOriginalData(int* data);
    int stopToReadOriginalData();
    int saveWavelengthCorrectCoefficient(double* coefficient);
    int readWavelengthCorrectCoefficient(double* coefficient);
    int saveIntensityCorrectCoefficient(double* coefficient);
    int readIntensityCorrectCoefficient(double* coefficient);
    int saveIlluminanceCorrectCoefficient(double* coefficient);
    int readIlluminanceCorrectCoefficient(double* coefficient);
    int startToTest(int mode);
    int isReadyForReadingReslut();
    int readTestResult(int resultConteent, double* illuminacne, int* intensity);
    // Returns NoRecord past the last record. The time is the meter's wall-clock
    // stamp carried as Qt::UTC (no zone applies); invalid for impossible fields.
    int readStoredData(int dataOrdinal, QDateTime* time, double* illuminance, double* intensity,
                       double* ratio);

private:
    long read(DWORD dwID, DWORD loc, DWORD count, BYTE* buf);
    long write(DWORD dwID, DWORD loc, DWORD count, BYTE* buf);
    long command(DWORD dwID, DWORD loc);
    static bool packCoefficients(const double* coefficient, int count, BYTE* bytes);

    TKFoundation* foundation;
};
