// The application as a user starts it: real processes on a virtual X display
// (xvfb-run), in a temporary working directory that is also their TMPDIR, which
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

    // The first line of the guard probe (support/guardprobe.cpp), run as this
    // user or as "nobody".
    QString probe(const QString& mode, bool otherUser = false)
    {
        const QString guardProbe = qEnvironmentVariable("GUARD_PROBE");
        QProcess* process = otherUser ? start("setpriv", {"--reuid=nobody", "--regid=nogroup",
                                                          "--clear-groups", guardProbe, mode})
                                      : start(guardProbe, {mode});
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

    void startsAfterAClosingOrKilledInstance();
    void guardIsPerUser();
};

// A new instance waits for one still closing (as after a language change)
// instead of refusing, and starts after a killed one; a live one refuses a
// second start with only a message box, after which that ends with 0. An
// incomplete library earlier on the search path does not win over the one
// beside the executable.
void ApplicationTest::startsAfterAClosingOrKilledInstance()
{
    QCOMPARE(probe("hold"), QString("held"));
    QProcess* closing = processes.last();
    QProcess* app =
        start(qEnvironmentVariable("SOLVANE_EXE"), {}, qEnvironmentVariable("NOSPEIC_DIR"));
    QThread::msleep(1000);
    QVERIFY(windows("Error").isEmpty());
    closing->closeWriteChannel();
    QVERIFY(closing->waitForFinished(10000));
    const bool shown = !windows(mainWindow, 60000).isEmpty() && windows("Error").isEmpty();
    kill(app); // leaves its marker segment behind
    const QString log = QString::fromUtf8(app->readAllStandardError());
    // file:line function [category] message, whatever the build type
    const QRegularExpression line(
        R"(TKFoundation\.cpp:\d+ TKFoundation::TKFoundation\S* \[default\] )"
        R"("Succeeded in loading Dll\(libTorvikUSB\.so\)!")");
    QVERIFY2(shown && line.match(log).hasMatch(), qPrintable(log));
    QTRY_VERIFY(windows(mainWindow).isEmpty());
    app = start(qEnvironmentVariable("SOLVANE_EXE"));
    QVERIFY2(!windows(mainWindow, 60000).isEmpty(), app->readAllStandardError().constData());
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

// Another user's Solvane neither blocks this user's nor is blocked by it.
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
