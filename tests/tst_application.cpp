// The application as a user starts it: real processes on a virtual X display
// (xvfb-run), with a temporary directory as working directory and TMPDIR, which
// keeps their single-instance guard apart from any other Solvane here.

#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

class ApplicationTest : public QObject
{
    Q_OBJECT

    const QString mainWindow = "Solvane 1.0.2";
    QScopedPointer<QTemporaryDir> dir;
    QList<QProcess*> processes;
    bool otherUserProbed = false; // its guard needs clearing too

    QProcess* start(const QString& program, const QStringList& arguments = {},
                    const QString& libraryPath = {})
    {
        auto* process = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", dir->path());
        env.remove("QT_QPA_PLATFORM"); // the real display
        if (!libraryPath.isEmpty())
            env.insert("LD_LIBRARY_PATH", libraryPath);
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(dir->path());
        process->start(program, arguments);
        processes << process;
        process->waitForStarted(10000);
        return process;
    }

    // The guard probe takes or tests the guard the way the application does,
    // as this user or as "nobody"; its first line. "hold" keeps the guard until
    // its input closes, the other modes let go of it themselves.
    QString probe(const QString& mode, bool otherUser = false)
    {
        const QString probe = qEnvironmentVariable("GUARD_PROBE");
        QProcess* process = otherUser ? start("setpriv", {"--reuid=nobody", "--regid=nogroup",
                                                          "--clear-groups", probe, mode})
                                      : start(probe, {mode});
        if (mode == "hold")
            process->waitForReadyRead(10000);
        else
            process->waitForFinished(10000);
        const QString line = QString::fromLatin1(process->readLine()).trimmed();
        if (line == "held" || line == "claimed" || line == "refused")
            return line;
        process->waitForFinished(10000);
        return line + " / " + QString::fromLocal8Bit(process->readAllStandardError());
    }

    // The windows titled `title`, once there are any or the time is up.
    static QStringList windows(const QString& title, int waitMs = 0)
    {
        QDeadlineTimer deadline(waitMs);
        for (;;) {
            QProcess xdotool;
            xdotool.start("xdotool",
                          {"search", "--name", "^" + QRegularExpression::escape(title) + "$"});
            xdotool.waitForFinished(5000);
            const QStringList found = QString::fromLatin1(xdotool.readAllStandardOutput())
                                          .split('\n', Qt::SkipEmptyParts);
            if (!found.isEmpty() || deadline.hasExpired())
                return found;
            QThread::msleep(100);
        }
    }

    static void kill(QProcess* process)
    {
        ::kill(pid_t(process->processId()), SIGKILL);
        process->waitForFinished(10000);
    }

private slots:
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
        QVERIFY(windows(mainWindow).isEmpty());
    }

    void cleanup()
    {
        for (QProcess* process : processes)
            if (process->state() != QProcess::NotRunning)
                kill(process);
        // Leave nothing behind: the probe clears what killed processes left.
        QCOMPARE(probe("clear"), QString("claimed"));
        if (otherUserProbed)
            QCOMPARE(probe("clear", true), QString("claimed"));
        otherUserProbed = false;
        qDeleteAll(processes);
        processes.clear();
    }

    void startsAndLogsTheMeterLibrary();
    void startsAgainAfterEndOrKill();
    void restartWaitsForTheClosingInstance();
    void guardIsPerUser();
};

// An incomplete library earlier on the search path must not win over the one
// beside the executable.
void ApplicationTest::startsAndLogsTheMeterLibrary()
{
    QProcess* app =
        start(qEnvironmentVariable("SOLVANE_EXE"), {}, qEnvironmentVariable("NOSPEIC_DIR"));
    QByteArray log; // before the window shows
    QDeadlineTimer deadline(60000);
    while (!log.contains("loading Dll") && !deadline.hasExpired()) {
        app->waitForReadyRead(200);
        log += app->readAllStandardError();
    }
    QVERIFY2(!windows(mainWindow, 60000).isEmpty(), log.constData());
    // file:line function [category] message, whatever the build type
    const QRegularExpression line(
        R"(TKFoundation\.cpp:\d+ TKFoundation::TKFoundation\S* \[default\] )"
        R"("Succeeded in loading Dll\(libTorvikUSB\.so\)!")");
    QVERIFY2(line.match(QString::fromUtf8(log)).hasMatch(), log.constData());
}

// Neither an ended nor a killed instance keeps the next from starting; a live one
// refuses a second start with only a message box, after which that ends with 0.
void ApplicationTest::startsAgainAfterEndOrKill()
{
    QCOMPARE(probe("hold"), QString("held"));
    processes.last()->closeWriteChannel();
    QVERIFY(processes.last()->waitForFinished(10000));
    for (int run = 0; run < 2; ++run) {
        QProcess* app = start(qEnvironmentVariable("SOLVANE_EXE"));
        QVERIFY2(!windows(mainWindow, 60000).isEmpty(), app->readAllStandardError().constData());
        if (run == 0) {
            kill(app); // leaves its marker segment behind
            QTRY_VERIFY(windows(mainWindow).isEmpty());
        }
    }
    QCOMPARE(probe("try"), QString("refused"));

    QProcess* second = start(qEnvironmentVariable("SOLVANE_EXE"));
    const QString box = windows("Error", 60000).value(0);
    QVERIFY2(!box.isEmpty(), "no message box titled \"Error\"");
    QCOMPARE(windows(mainWindow).size(), 1);
    // The box may map before it takes keys: press until it goes.
    for (int attempt = 0; attempt < 20 && second->state() != QProcess::NotRunning; ++attempt) {
        QProcess::execute("xdotool", {"windowfocus", "--sync", box});
        QProcess::execute("xdotool", {"key", "--clearmodifiers", "Return"});
        second->waitForFinished(500);
    }
    QCOMPARE(second->state(), QProcess::NotRunning);
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(!second->readAllStandardError().contains("Succeeded in loading"));
}

// After a language change the new instance starts while the old one is still
// closing: it waits for the guard instead of refusing.
void ApplicationTest::restartWaitsForTheClosingInstance()
{
    QCOMPARE(probe("hold"), QString("held"));
    QProcess* closing = processes.last();
    QProcess* restarted = start(qEnvironmentVariable("SOLVANE_EXE"));
    QThread::msleep(1000);
    QVERIFY(windows("Error").isEmpty());
    closing->closeWriteChannel();
    QVERIFY(closing->waitForFinished(10000));
    QVERIFY2(!windows(mainWindow, 60000).isEmpty(), restarted->readAllStandardError().constData());
    QVERIFY(windows("Error").isEmpty());
}

// Two users share the temporary folder: while one runs Solvane (or after its
// instance crashed) the other still gets an instance of its own, and each is
// still refused a second one.
void ApplicationTest::guardIsPerUser()
{
    if (::geteuid() != 0)
        QSKIP("acting as a second user needs root");
    if (QStandardPaths::findExecutable("setpriv").isEmpty())
        QSKIP("setpriv is missing");
    QVERIFY(::chmod(QFile::encodeName(dir->path()).constData(), 01777) == 0);
    otherUserProbed = true;

    QCOMPARE(probe("hold"), QString("held")); // user A
    QProcess* first = processes.last();
    QCOMPARE(probe("try", true), QString("claimed"));
    QCOMPARE(probe("try"), QString("refused"));
    kill(first); // leaves A's marker behind
    QCOMPARE(probe("hold", true), QString("held"));
    QCOMPARE(probe("try", true), QString("refused"));
    QCOMPARE(probe("try"), QString("claimed")); // A's own remains are cleared, B's kept apart
}

QTEST_GUILESS_MAIN(ApplicationTest)
#include "tst_application.moc"
