// The single-instance guard within one process, in a temporary folder of its
// own (the guard's key files live in the temporary folder).

#include "singleinstance.h"

#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QtTest>

class SingleInstanceTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        qputenv("TMPDIR", QFile::encodeName(dir.path()));
        QCOMPARE(QDir::tempPath(), dir.path());
    }

    void unavailableSemaphoreLeavesTheMarkerToDecide();
};

// A semaphore that cannot be acquired (here: no key) must neither lock the
// user out nor go unreported; the marker still refuses a second instance.
void SingleInstanceTest::unavailableSemaphoreLeavesTheMarkerToDecide()
{
    QSystemSemaphore broken(QString(), 1, QSystemSemaphore::Open);
    const QRegularExpression reported("semaphore not acquired.*key is empty");

    QSharedMemory first(instanceMarkerKey());
    QTest::ignoreMessage(QtWarningMsg, reported);
    QVERIFY(claimInstanceMarker(first, broken, 0));

    QSharedMemory second(instanceMarkerKey());
    QTest::ignoreMessage(QtWarningMsg, reported);
    QVERIFY(!claimInstanceMarker(second, broken, 300));

    QVERIFY(first.detach());
    QTest::ignoreMessage(QtWarningMsg, reported);
    QVERIFY(claimInstanceMarker(second, broken, 0));
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
