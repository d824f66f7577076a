// The application as a user starts it: real processes on a virtual X display
// (run under xvfb-run). Each test gives the processes a temporary directory
// of their own as working directory and TMPDIR, which also keeps their
// single-instance guard apart from any other Solvane on this machine.

#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

class ApplicationTest : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> dir;
    QList<QProcess*> processes;
    bool otherUserProbed = false; // its guard needs clearing too

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TMPDIR", dir->path());
        env.remove("QT_QPA_PLATFORM"); // the real display
        return env;
    }

    QProcess* start(const QString& program, const QStringList& arguments = {},
                    const QProcessEnvironment& env = {})
    {
        auto* process = new QProcess(this);
        process->setWorkingDirectory(dir->path());
        process->setProcessEnvironment(env.isEmpty() ? environment() : env);
        process->start(program, arguments);
        processes << process;
        [&] { QVERIFY(process->waitForStarted(10000)); }();
        return process;
    }

    QProcess* startApplication(const QProcessEnvironment& env = {})
    {
        return start(qEnvironmentVariable("SOLVANE_EXE"), {}, env);
    }

    // The guard probe takes the marker the way the application does.
    QProcess* hold()
    {
        QProcess* probe = start(qEnvironmentVariable("GUARD_PROBE"), {"hold"});
        [&] {
            QVERIFY(probe->waitForReadyRead(10000));
            QCOMPARE(probe->readAllStandardOutput(), QByteArray("held\n"));
        }();
        return probe;
    }

    QString probeTry(const QString& mode = "try")
    {
        QProcess* probe = start(qEnvironmentVariable("GUARD_PROBE"), {mode});
        probe->waitForFinished(10000);
        return QString::fromLatin1(probe->readAllStandardOutput()).trimmed();
    }

    // The guard probe as the unprivileged user "nobody": its first line, with
    // what it logged when that is not the expected one. Modes other than
    // "hold" run to their end, so that the probe lets go of the guard itself.
    QString probeAsOtherUser(const QString& mode, const QString& expected)
    {
        QProcess* probe = start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                            qEnvironmentVariable("GUARD_PROBE"), mode});
        if (mode != "hold")
            probe->waitForFinished(10000);
        else
            probe->waitForReadyRead(10000);
        const QString line = QString::fromLatin1(probe->readLine()).trimmed();
        if (line == expected)
            return line;
        probe->waitForFinished(10000);
        return line + " / " + QString::fromLocal8Bit(probe->readAllStandardError());
    }

    static QStringList windows(const QString& title)
    {
        QProcess xdotool;
        xdotool.start("xdotool",
                      {"search", "--name", "^" + QRegularExpression::escape(title) + "$"});
        xdotool.waitForFinished(5000);
        return QString::fromLatin1(xdotool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

    static QString waitForWindow(const QString& title, int timeoutMs = 60000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            const QStringList found = windows(title);
            if (!found.isEmpty())
                return found.first();
            QThread::msleep(100);
        }
        return QString();
    }

    static void press(const QString& window, const QString& key)
    {
        QProcess::execute("xdotool", {"windowfocus", "--sync", window});
        QProcess::execute("xdotool", {"key", "--clearmodifiers", key});
    }

    // Empty once the application's main window is up; else what the process did.
    static QByteArray mainWindowMissing(QProcess* app)
    {
        if (!waitForWindow("Solvane 1.0.2").isEmpty())
            return QByteArray();
        return "no main window; the process is " +
               QByteArray(app->state() == QProcess::Running ? "running" : "gone") + " (exit " +
               QByteArray::number(app->exitCode()) + "), it said:\n" + app->readAllStandardError();
    }

    static void kill(QProcess* process)
    {
        ::kill(pid_t(process->processId()), SIGKILL);
        process->waitForFinished(10000);
    }

    // A refused start shows only the message box, and ends with 0 once it is closed.
    void expectRefusal(QProcess* second, int mainWindows)
    {
        const QString box = waitForWindow("Error");
        QVERIFY2(!box.isEmpty(), "no message box titled \"Error\"");
        QCOMPARE(windows("Solvane 1.0.2").size(), mainWindows);
        // The box may map before it takes keys: press until it goes.
        for (int attempt = 0; attempt < 20 && second->state() != QProcess::NotRunning; ++attempt) {
            press(box, "Return");
            second->waitForFinished(500);
        }
        QVERIFY(second->state() == QProcess::NotRunning);
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(!second->readAllStandardError().contains("Succeeded in loading"));
    }

private slots:
    void init()
    {
        dir.reset(new QTemporaryDir);
        QVERIFY(dir->isValid());
        QVERIFY(windows("Solvane 1.0.2").isEmpty());
    }

    void cleanup()
    {
        for (QProcess* process : processes) {
            if (process->state() != QProcess::NotRunning)
                kill(process);
        }
        qDeleteAll(processes);
        processes.clear();
        // Leave nothing behind: the probe clears what killed processes left.
        QCOMPARE(probeTry("clear"), QString("claimed"));
        if (otherUserProbed) {
            otherUserProbed = false;
            QCOMPARE(probeAsOtherUser("clear", "claimed"), QString("claimed"));
        }
        qDeleteAll(processes);
        processes.clear();
    }

    void startsAndLogsTheMeterLibrary();
    void startsAgainAfterEndOrKill();
    void restartWaitsForTheClosingInstance();
    void guardIsPerUser();
};

void ApplicationTest::startsAndLogsTheMeterLibrary()
{
    // An incomplete library earlier on the search path must not win over
    // the one beside the executable.
    QProcessEnvironment env = environment();
    env.insert("LD_LIBRARY_PATH", qEnvironmentVariable("NOSPEIC_DIR"));
    QProcess* app = startApplication(env);
    const QByteArray appMissing = mainWindowMissing(app);
    QVERIFY2(appMissing.isEmpty(), appMissing.constData());

    QByteArray log;
    QDeadlineTimer deadline(10000);
    while (!log.contains("loading Dll") && !deadline.hasExpired()) {
        app->waitForReadyRead(200);
        log += app->readAllStandardError();
    }
    // file:line function [category] message, whatever the build type
    const QRegularExpression line(
        R"(TKFoundation\.cpp:\d+ TKFoundation::TKFoundation\S* \[default\] )"
        R"("Succeeded in loading Dll\(libTorvikUSB\.so\)!")");
    QVERIFY2(line.match(QString::fromUtf8(log)).hasMatch(), log.constData());
    QVERIFY2(!QFileInfo::exists(dir->filePath("language.ini")), "start-up wrote language.ini");
}

void ApplicationTest::startsAgainAfterEndOrKill()
{
    QProcess* holder = hold(); // a first instance that ends normally
    holder->closeWriteChannel();
    QVERIFY(holder->waitForFinished(10000));

    QProcess* first = startApplication();
    const QByteArray firstMissing = mainWindowMissing(first);
    QVERIFY2(firstMissing.isEmpty(), firstMissing.constData());
    kill(first); // leaves its marker segment behind
    QTRY_VERIFY(windows("Solvane 1.0.2").isEmpty());

    QProcess* again = startApplication(); // a killed instance must not block it
    const QByteArray againMissing = mainWindowMissing(again);
    QVERIFY2(againMissing.isEmpty(), againMissing.constData());

    // ...and the one now running is still guarded.
    QCOMPARE(probeTry(), QString("refused"));
    expectRefusal(startApplication(), 1);
}

// After a language change the new instance starts while the old one is still
// closing: it waits for the guard instead of refusing.
void ApplicationTest::restartWaitsForTheClosingInstance()
{
    QProcess* closing = hold();
    QProcess* restarted = startApplication();
    QThread::msleep(1000);
    QVERIFY(windows("Error").isEmpty());
    closing->closeWriteChannel();
    QVERIFY(closing->waitForFinished(10000));
    const QByteArray missing = mainWindowMissing(restarted);
    QVERIFY2(missing.isEmpty(), missing.constData());
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

    QProcess* first = hold(); // user A
    QCOMPARE(probeAsOtherUser("try", "claimed"), QString("claimed"));
    QCOMPARE(probeTry(), QString("refused"));

    kill(first); // leaves A's marker behind
    QCOMPARE(probeAsOtherUser("hold", "held"), QString("held"));
    QCOMPARE(probeAsOtherUser("try", "refused"), QString("refused"));
    QCOMPARE(probeTry(), QString("claimed")); // A's own remains are cleared, B's kept apart
}

QTEST_GUILESS_MAIN(ApplicationTest)
#include "tst_application.moc"
