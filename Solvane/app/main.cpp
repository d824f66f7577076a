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
    installFontSubstitutes(savedLanguageIndex());

    // Before the guard, so that even the refusal's button speaks the language.
    QTranslator translator, qtTranslator;
    installTranslators(savedLanguageIndex(), translator, qtTranslator);

    // One instance per user: the semaphore serialises two starts, the
    // shared-memory segment marks the running one.
    QSystemSemaphore guard(instanceGuardKey(), 1, QSystemSemaphore::Open);
    QSharedMemory marker(instanceMarkerKey());
    if (!claimInstanceMarker(marker, guard, 3000)) {
        showAlreadyRunning();
        return 0;
    }

    MainWindow w;
    w.show();
    return a.exec();
}
