// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfile.h"
#include "cardrecord.h"
#include "greekfailure.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

namespace {
QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}
} // namespace

class tst_cardfile : public QObject
{
    Q_OBJECT

private slots:
    void cardCount_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("rounded");
        QTest::newRow("empty") << qint64(0) << 1 << 0;
        QTest::newRow("97") << qint64(97) << 1 << 0;
        QTest::newRow("98") << qint64(98) << 1 << 1;
        QTest::newRow("195") << qint64(195) << 1 << 1;
        QTest::newRow("292") << qint64(292) << 1 << 1;
        QTest::newRow("293") << qint64(293) << 2 << 2;
        QTest::newRow("390") << qint64(390) << 2 << 2;
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        CardFile f;
        f.open(path);
        QVERIFY(QFile::exists(path));
        QCOMPARE(f.length(), 0);
        QCOMPARE(f.cardCount(), 1);
        QCOMPARE(f.read(1), CardRecord());
    }

    // The bibliography installed with the program: not even root may change or create it.
    void aFileKeptReadOnlyIsOpenedForReadingAndNeverCreated()
    {
        QTemporaryDir dir;
        const QString kept = dir.filePath(QStringLiteral("kept.dat"));
        const QString missing = dir.filePath(QStringLiteral("missing.dat"));
        writeBytes(kept, QByteArray(RecordLength, 'x'));
        CardFile f;
        f.open(kept, CardFile::Access::ReadOnly);
        QVERIFY(f.isReadOnly());
        QVERIFY_THROWS_EXCEPTION(CardFileError, f.open(missing, CardFile::Access::ReadOnly));
        QVERIFY(!QFile::exists(missing));
    }

    void partialRecordReadsAsBlanks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        QByteArray bytes(293, 'X');
        writeBytes(path, bytes);
        CardFile f;
        f.open(path);
        QCOMPARE(f.cardCount(), 2);
        const CardRecord second = f.read(2);
        QCOMPARE(QByteArray(second.bytes().data(), RecordLength), QByteArray(98, 'X') + QByteArray(97, ' '));
        QCOMPARE(f.read(3), CardRecord());
        QVERIFY_THROWS_EXCEPTION(BadRecordNumber, f.read(0));
    }

    void readThenWriteChangesNoByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        QByteArray all;
        for (int i = 0; i < 256 * 2; ++i)
            all += char(i % 256);
        all += QByteArray(3 * RecordLength - all.size(), char(0xD2));
        writeBytes(path, all);
        CardFile f;
        f.open(path);
        for (int n = 1; n <= 3; ++n)
            QVERIFY(
                f.writeAt((n - 1) * RecordLength, QByteArrayView(f.read(n).bytes().data(), RecordLength)));
        f.close();
        QCOMPARE(fileBytes(path), all);
    }

    void writingPastTheEndExtendsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        CardFile f;
        f.open(path);
        CardRecord c;
        c.setField(Field::Title, QStringLiteral("Ιστορία ς"));
        QVERIFY(f.writeAt(RecordLength, QByteArrayView(c.bytes().data(), RecordLength)));
        QCOMPARE(f.length(), 2 * RecordLength);
        QCOMPARE(f.read(2).field(Field::Title).left(9), QStringLiteral("Ιστορία ς"));
        QCOMPARE(fileBytes(path).left(RecordLength), QByteArray(RecordLength, '\0'));
    }

    void readerReadsEveryCardInBlocks()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
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
        f.open(path);
        QCOMPARE(f.cardCount(), cards - 1);
        CardReader reader(f);
        CardRecord c;
        for (int n = 1; n <= cards; ++n) {
            reader.read(n, c);
            QCOMPARE(c.trimmed(Field::Isbn), QString::number(n));
            QCOMPARE(c.field(Field::PagesNotes), n < cards ? c.field(Field::PagesNotes) : QString(20, u' '));
        }
        reader.read(3, c); // going back reads again
        QCOMPARE(c.trimmed(Field::Isbn), QStringLiteral("3"));
    }

    void unusableFilesThrowWithAGreekReason()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Filis.dat"));
        QVERIFY(QDir().mkdir(folder));
        CardFile f;
        try {
            f.open(folder);
            QFAIL("a folder opened as a card file");
        } catch (const CardFileError &e) {
            QVERIFY(cardFileErrorText(e).contains(folder));
            QVERIFY(greekText(e.failure()).contains(QStringLiteral("φάκελο")));
        }
        QVERIFY(!f.isOpen());
        QVERIFY_THROWS_EXCEPTION(CardFileError, f.open(dir.filePath(QStringLiteral("no/such/Filis.dat"))));
    }
};

QTEST_APPLESS_MAIN(tst_cardfile)
#include "tst_cardfile.moc"
