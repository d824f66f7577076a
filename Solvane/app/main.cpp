#include "applicationfiles.h"
#include "fontsubstitutes.h"
#include "languagesettings.h"
#include "mainwindow.h"
#include "resources.h"
#include "singleinstance.h"

#include <QApplication>
#include <QIcon>
#include <QSharedMemory>
#include <QSystemSemaphore>
#include <QTranslator>

int main(int argc, char* argv[])
{
    qSetMessagePattern("%{file}:%{line} %{function} [%{category}] %{message}");
    QApplication a(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(ApplicationFiles::applicationName));
    initializeImages();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/logo.png")));
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
