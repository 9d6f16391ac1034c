// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfile.h"
#include "cardrecord.h"
#include "editablecardfile.h"
#include "greekfailure.h"
#include "testfiles.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {
QStringList filesIn(const QString &folder)
{
    QStringList found;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        found << it.next();
    found.sort();
    return found;
}
} // namespace

class tst_cardfile : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir; // a new one for each case
    QString path;

private slots:
    void init()
    {
        dir.emplace();
        path = dir->filePath(QStringLiteral("Filis.dat"));
    }

    void cardCount_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rounded");
        QTest::newRow("empty") << qint64(0) << 1 << 0;
        QTest::newRow("97") << qint64(97) << 1 << 0;
        QTest::newRow("98") << qint64(98) << 1 << 1;
        QTest::newRow("292") << qint64(292) << 1 << 1;
        QTest::newRow("293") << qint64(293) << 2 << 2;
        QTest::newRow("max") << MaxFileLength << 11012737 << 11012737;
    }
    void cardCount()
    {
        QFETCH(qint64, length);
        QFETCH(int, count);
        QFETCH(int, rounded);
        QCOMPARE(cardCountForLength(length), count);
        QCOMPARE(roundedCardCount(length), rounded);
    }

    void fieldsAreLeftJustifiedAndCut()
    {
        CardRecord c;
        c.setField(Field::Title, QString(70, u'Α'));
        QCOMPARE(c.field(Field::Title), QString(65, u'Α'));
        QCOMPARE(c.field(Field::OtherName), QString(30, u' '));
        c.setField(Field::Author, QStringLiteral("  ΘΟΥΚΥΔΙΔΗΣ "));
        QCOMPARE(c.field(Field::Author), QStringLiteral("  ΘΟΥΚΥΔΙΔΗΣ").leftJustified(20, u' '));
        QCOMPARE(c.trimmed(Field::Author), QStringLiteral("ΘΟΥΚΥΔΙΔΗΣ"));
        c.setField(Field::PagesNotes, QStringLiteral("\tA \t"));
        QCOMPARE(c.trimmed(Field::PagesNotes), QStringLiteral("\tA \t"));
    }

    void newAndDeletedCardsOnDisk()
    {
        const CardRecord fresh = CardRecord::newCard();
        QCOMPARE(QByteArray(fresh.bytes().data(), RecordLength), QByteArray("960-") + QByteArray(191, ' '));

        const CardRecord deleted = CardRecord::deletedCard();
        QByteArray expected(RecordLength, ' ');
        for (int offset : {0, 20, 40, 105, 135, 175})
            expected.replace(offset, 3, "~~~");
        QCOMPARE(QByteArray(deleted.bytes().data(), RecordLength), expected);
    }

    void missingFileIsCreatedEmpty()
    {
        CardFile f;
        QVERIFY(openToEdit(f, path));
        QVERIFY(QFile::exists(path));
        QCOMPARE(f.length(), 0);
        QCOMPARE(f.cardCount(), 1);
        QCOMPARE(f.read(1).value(), CardRecord());
    }

    // The bibliography installed with the program: not even root may change or create it.
    void aFileKeptReadOnlyIsOpenedForReadingAndNeverCreated()
    {
        const QString missing = dir->filePath(QStringLiteral("missing.dat"));
        writeBytes(path, QByteArray(RecordLength, 'x'));
        CardFile f;
        QVERIFY(f.open(path, CardFile::Access::ReadOnly));
        QVERIFY(f.isReadOnly());
        QCOMPARE(f.open(missing, CardFile::Access::ReadOnly).error().error, ENOENT);
        QVERIFY(!QFile::exists(missing));
    }

    void partialRecordReadsAsBlanks()
    {
        writeBytes(path, QByteArray(293, 'X'));
        CardFile f;
        QVERIFY(openToEdit(f, path));
        QCOMPARE(f.cardCount(), 2);
        const CardRecord second = f.read(2).value();
        QCOMPARE(QByteArray(second.bytes().data(), RecordLength), QByteArray(98, 'X') + QByteArray(97, ' '));
        QCOMPARE(f.read(3).value(), CardRecord());
#ifdef QT_NO_DEBUG // a debug build stops at the assertion instead
        QCOMPARE(f.read(0).error().error, EINVAL);
#endif
    }

    void readThenWriteChangesNoByte()
    {
        QByteArray all;
        for (int i = 0; i < 256 * 2; ++i)
            all += char(i % 256);
        all += QByteArray(3 * RecordLength - all.size(), char(0xD2));
        writeBytes(path, all);
        CardFile f;
        QVERIFY(openToEdit(f, path));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(f.writeAt((n - 1) * RecordLength,
                              QByteArrayView(f.read(n).value().bytes().data(), RecordLength)));
        f.close();
        QCOMPARE(fileBytes(path), all);
    }

    void writingPastTheEndExtendsTheFile()
    {
        CardFile f;
        QVERIFY(openToEdit(f, path));
        CardRecord c;
        c.setField(Field::Title, QStringLiteral("Ιστορία ς"));
        QVERIFY(f.writeAt(RecordLength, QByteArrayView(c.bytes().data(), RecordLength)));
        QCOMPARE(f.length(), 2 * RecordLength);
        QCOMPARE(f.read(2).value().field(Field::Title).left(9), QStringLiteral("Ιστορία ς"));
        QCOMPARE(fileBytes(path).left(RecordLength), QByteArray(RecordLength, '\0'));
    }

    void readerReadsEveryCardInBlocks()
    {
        QByteArray bytes;
        const int cards = 10000;
        for (int n = 1; n <= cards; ++n) {
            CardRecord c;
            c.setField(Field::Isbn, QString::number(n));
            bytes.append(c.bytes().data(), RecordLength);
        }
        bytes.chop(100); // a 95-byte tail: not counted, yet it reads, blank-filled
        writeBytes(path, bytes);
        CardFile f;
        QVERIFY(openToEdit(f, path));
        QCOMPARE(f.cardCount(), cards - 1);
        CardReader reader(f);
        CardRecord c;
        for (int n = 1; n <= cards; ++n) {
            QVERIFY(reader.read(n, c));
            QCOMPARE(c.trimmed(Field::Isbn), QString::number(n));
            QCOMPARE(c.field(Field::PagesNotes), n < cards ? c.field(Field::PagesNotes) : QString(20, u' '));
        }
        QVERIFY(reader.read(3, c)); // going back reads again
        QCOMPARE(c.trimmed(Field::Isbn), QStringLiteral("3"));
    }

    // Nothing is created where the file cannot be used, and the words name what stands in
    // the way: the file, or a stranger's link on the way to it.
    void unusableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("opened"); // relative to the test's folder
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<bool>("readable"); // by openForReading(), which does not count
        QTest::newRow("a folder") << "folder"
                                  << "Filis.dat" << int(Fault::System) << "Filis.dat"
                                  << "Πρόκειται για φάκελο" << qint64(-1) << false;
        QTest::newRow("a folder missing on the way")
            << "none"
            << "no/such/Filis.dat" << int(Fault::System) << "no/such/Filis.dat"
            << "δεν υπάρχει" << qint64(-1) << false;
        QTest::newRow("longer than 2 GiB") << "long"
                                           << "Filis.dat" << int(Fault::TooLong) << "Filis.dat"
                                           << "2.147.483.647 bytes" << MaxFileLength + 1 << true;
        QTest::newRow("a stranger's link on the way")
            << "stranger"
            << "shared/link/Filis.dat" << int(Fault::SharedFolder) << "shared/link"
            << "σύνδεσμος ή αρχείο άλλου χρήστη" << qint64(-1) << false;
    }
    void unusableFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, opened);
        QFETCH(int, fault);
        QFETCH(QString, named);
        QFETCH(QString, reason);
        QFETCH(qint64, length);
        QFETCH(bool, readable);
        InterceptedCalls calls;
        const QDir here(dir->path());
        if (kind == QLatin1String("folder"))
            QVERIFY(here.mkdir(opened));
        if (kind == QLatin1String("long")) {
            QVERIFY(writeBytes(path, "960-"));
            makeUpLook(path, [](struct stat &st) { st.st_size = MaxFileLength + 1; });
        }
        if (kind == QLatin1String("stranger")) { // the link leads to the user's private folder: never reached
            QVERIFY(here.mkdir(QStringLiteral("private")) && here.mkdir(QStringLiteral("shared")));
            QCOMPARE(::chmod(QFile::encodeName(here.filePath(QStringLiteral("shared"))).constData(), 0777),
                     0);
            QVERIFY(QFile::link(here.filePath(QStringLiteral("private")), here.filePath(named)));
            makeUpOwner(here.filePath(named), Stranger);
        }
        const QStringList before = filesIn(dir->path());
        CardFile f;
        const Result<void> refused = openToEdit(f, dir->filePath(opened));
        QVERIFY(!refused);
        QCOMPARE(int(refused.error().fault), fault);
        QCOMPARE(refused.error().path, dir->filePath(named));
        QCOMPARE(refused.error().length, length);
        const QString text = cardFileErrorText(refused.error());
        QVERIFY2(text.contains(dir->filePath(named)) && text.contains(reason), qPrintable(text));
        QVERIFY(!f.isOpen());
        QCOMPARE(f.openForReading(dir->filePath(opened)).has_value(), readable);
        QCOMPARE(filesIn(dir->path()), before);
    }
};

QTEST_APPLESS_MAIN(tst_cardfile)
#include "tst_cardfile.moc"
