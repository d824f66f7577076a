// Data files through the stream alone: line ends, marks, odd headers, bounds,
// and writing where only the file may be written.

#include "TKIOStream.h"
#include "fixtures.h"
#include "measurementrecord.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include "diskfaults.h"
#endif

class DataFileTest : public QObject
{
    Q_OBJECT

    // A data file's header line, as the window writes it.
    const QByteArray header = MeasurementRecord::fieldNames().join(',').toUtf8();
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void reader_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QStringList>>("records");
        const QList<QStringList> two{{"NO.000", "x"}, {"NO.001", "y"}};
        QTest::newRow("CR") << header + "\rNO.000,x\rNO.001,y\r" << two; // old Mac spreadsheets
        QTest::newRow("mixed, no end") << header + "\r\nNO.000,x\rNO.001,y" << two;
        QTest::newRow("empty fields") << header + "\n,,a,\n"
                                      << QList<QStringList>{{"", "", "a", ""}};
        QTest::newRow("header only") << header + "\n" << QList<QStringList>{};
        QTest::newRow("UTF-8 mark") << "\xEF\xBB\xBF" + header + "\nNO.000,x\nNO.001,y\n" << two;
        QByteArray mangled = header; // "λd" and "△uv" read in another code page
        mangled.replace("λd", QByteArray("\xA6\xCB") + 'd').replace("△uv", "\xE2\x96\xB3uv");
        QTest::newRow("mangled names, extra column") << mangled + ",Notes\nNO.000,x\nNO.001,y\n"
                                                     << two;
    }

    // Appended to the lists, never replacing them; a missing file leaves them be.
    void reader()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QStringList>, records);
        QVERIFY(writeFile(path("in.csv"), content));
        TKIOStream stream;
        stream.setFileDirectory(path("in.csv"));
        QStringList tag("kept");
        QList<QStringList> read{tag};
        QVERIFY(stream.readSolvaneData(&tag, &read));
        QCOMPARE(tag.mid(0, 21), QStringList("kept") + MeasurementRecord::fieldNames().mid(0, 20));
        QCOMPARE(read, QList<QStringList>{{"kept"}} + records);

        stream.setFileDirectory(path("missing.csv"));
        QVERIFY(!stream.readSolvaneData(&tag, &read));
        QCOMPARE(read.size(), records.size() + 1);
    }

    // Far beyond what a data file holds (a sparse file takes no disk): refused
    // before memory runs out.
    void boundsOfAFile()
    {
        const QString huge = path("huge.csv");
        QVERIFY(writeFile(huge, header) && QFile::resize(huge, TKIOStream::maxFileBytes + 1));
        const QByteArray commas(TKIOStream::maxFields, ','),
            line(TKIOStream::maxLineChars + 1, 'x');
        QVERIFY(writeFile(path("fields"), header + '\n' + commas) &&
                writeFile(path("line"), header + '\n' + line));
        for (const QString& file : {huge, path("fields"), path("line")}) {
            TKIOStream stream;
            stream.setFileDirectory(file);
            QStringList tag;
            QList<QStringList> records;
            QVERIFY2(!stream.readSolvaneData(&tag, &records), qPrintable(file));
            QVERIFY(stream.readError() == TKIOStream::ReadError::TooLarge && tag.isEmpty() &&
                    records.isEmpty());
        }
    }

    // Writing the file itself is enough: the temporary file beside it is not
    // needed when the folder cannot take one. Such a write, once started, is
    // not stopped: the old content is gone by then.
    void writeWhereOnlyTheFileIsWritable()
    {
#ifdef Q_OS_UNIX
        const QString target = path("shared.csv");
        QVERIFY(writeFile(target, "old content\n"));
        TKIOStream stream;
        stream.setFileDirectory(target);
        stream.setProgressReport([](qint64, qint64) { return false; });
        bool written = false;
        if (!inClosedFolder(target, [&] {
                written = stream.writeSolvaneData({"Data", "Date"}, {{ "NO.000", "x" }});
            }))
            QSKIP("cannot act as another user");
        QVERIFY2(written && !stream.cancelled(), qPrintable(stream.errorString()));
        QCOMPARE(fileContents(target), QByteArray("Data,Date\nNO.000,x\n"));
#else
        QSKIP("permissions of this kind are Unix's");
#endif
    }
};

QTEST_GUILESS_MAIN(DataFileTest)
#include "tst_datafile.moc"
