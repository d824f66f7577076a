// A meter library that is missing, or lacks an entry point, counts as not loaded:
// nothing is called through it and every operation fails (search path: CMakeLists.txt).

#include "LuxEngine.h"
#include "TKFoundation.h"

#include <QtTest>

class LibraryLoadingTest : public QObject
{
    Q_OBJECT

    static void everyExchangeFails()
    {
        QTest::ignoreMessage(QtDebugMsg, "\"Failed to load Dll(libTorvikUSB.so)!\"");
        TKFoundation foundation;
        QVERIFY(!foundation.isLoaded());
        BYTE buf[825] = {};
        QCOMPARE(foundation.readCommand(17, 0, 825, buf, 2000, nullptr, 3), 0L);
        QCOMPARE(foundation.writeCommand(0, 0, 2, buf, 2000, nullptr, 3), 0L);
        QCOMPARE(foundation.cmdCommand(2, 2, 0, nullptr, 2000, nullptr, 3), 0L);

        QTest::ignoreMessage(QtDebugMsg, "\"Failed to load Dll(libTorvikUSB.so)!\"");
        LuxEngine engine;
        QDateTime time;
        double lux = 0, ratio = 0, intensity[401];
        QTest::ignoreMessage(QtDebugMsg, "读取存储数据失败!");
        QCOMPARE(engine.readStoredData(0, &time, &lux, intensity, &ratio), LuxEngine::Failed);
    }

private slots:
    // The library found on the search path exports CmdRead, CmdWrite and
    // CmdCmd but not CmdSpeic; its CmdRead aborts if it is ever called.
    void missingEntryPoint()
    {
        QLibrary library("TorvikUSB");
        QVERIFY2(library.load(), "the incomplete library is not on the search path");
        QVERIFY(!library.resolve("CmdSpeic"));
        everyExchangeFails();
    }
    void missingLibrary() { everyExchangeFails(); }
};

QTEST_GUILESS_MAIN(LibraryLoadingTest)
#include "tst_libraryloading.moc"
