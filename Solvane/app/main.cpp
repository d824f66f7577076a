#include "fontsubstitutes.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "singleinstance.h"

#include <QApplication>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QTranslator>

int main(int argc, char* argv[])
{
    qSetMessagePattern("%{file}:%{line} %{function} [%{category}] %{message}");
    QApplication a(argc, argv);
    installFontSubstitutes();

    // One instance per desktop: the semaphore serialises two starts, the
    // shared-memory segment marks the running one.
    QSystemSemaphore guard("BOXKey", 1, QSystemSemaphore::Open);
    QSharedMemory marker("SystemObject");
    if (!claimInstanceMarker(marker, guard, 3000)) {
        showAlreadyRunning();
        return 0;
    }

    QTranslator translator;
    const QString catalogue = languageCatalogue(savedLanguageIndex());
    if (!catalogue.isEmpty())
        translator.load(catalogue);
    QCoreApplication::installTranslator(&translator);

    MainWindow w;
    w.show();
    return a.exec();
}
