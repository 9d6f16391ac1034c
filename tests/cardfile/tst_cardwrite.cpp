// Writing cards in an editing session: the bytes that reach the file, the backup made
// before the first write, and writes that fail for real reasons and leave the file whole.

#include "cardeditsession.h"
#include "realfailures.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// `count` distinct cards, then the first `tail` bytes of one more.
QByteArray cards(int count, int tail = 0)
{
    QByteArray bytes;
    for (int n = 1; n <= count + 1; ++n) {
        CardRecord c;
        c.setField(Field::Title, QStringLiteral("ΚΑΡΤΕΛΛΑ %1").arg(n));
        bytes += QByteArray(c.bytes().data(), RecordLength);
    }
    return bytes.left(count * RecordLength + tail);
}

// The card file in `folder` with a session on it, the way the window will hold them.
struct Editing
{
    explicit Editing(const QString &folder, const QString &fallback = QString())
        : path(folder + QStringLiteral("/Filis.dat")), session(fallback)
    {
    }
    bool begin(const QByteArray &stored)
    {
        if (!writeBytes(path, stored) || !session.begin(path))
            return false;
        file.open(path);
        return true;
    }
    QString write(qint32 number, const CardRecord &card) // the reason it failed, if it did
    {
        const Result<void> filed = session.write(file, number, card);
        return filed ? QString() : filed.error().reason;
    }
    QString path;
    CardEditSession session;
    CardFile file;
};

const QString NoSpace = QStringLiteral("Δεν υπάρχει ελεύθερος χώρος στο μέσο αποθήκευσης.");
const QString OverLimit =
    QStringLiteral("Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.");
const QString Replaced = QStringLiteral("Στη θέση του βρίσκεται πλέον άλλο αρχείο.");

enum class Fault { DiskFull, SizeLimit, ReadOnlyMedium, ReadOnlyFile, Removed, Replaced, ReplacedThenOpened };

} // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(CardRecord)

class tst_cardwrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Whatever happens to this process, its mounts go with it.
        usePrivateMounts();
    }

    // Card 1 is deleted first: the backup holds the file as it was before that.
    void writesEveryByteAfterOneBackup_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<CardRecord>("card");
        QTest::addColumn<QByteArray>("stored");
        CardRecord filed;
        filed.setField(Field::Isbn, QStringLiteral("960-7094"));
        filed.setField(Field::Title, QStringLiteral("ΙΣΤΟΡΙΑ ς"));
        filed.setField(Field::PagesNotes, QStringLiteral("σελ. 12"));
        QByteArray filedBytes(RecordLength, ' ');
        filedBytes.replace(0, 8, "960-7094").replace(40, 9, "\xC9\xD3\xD4\xCF\xD1\xC9\xC1 \xF2");
        filedBytes.replace(175, 7, "\xF3\xE5\xEB. 12");
        QByteArray deleted(RecordLength, ' ');
        for (int offset : {0, 20, 40, 105, 135, 175})
            deleted.replace(offset, 3, "~~~");
        QTest::newRow("filed card 2") << 2 << filed << filedBytes;
        QTest::newRow("new card appended")
            << 4 << CardRecord::newCard() << QByteArray("\x39\x36\x30\x2D") + QByteArray(191, ' ');
        QTest::newRow("deleted card 3") << 3 << CardRecord::deletedCard() << deleted;
    }
    void writesEveryByteAfterOneBackup()
    {
        QFETCH(int, number);
        QFETCH(CardRecord, card);
        QFETCH(QByteArray, stored);
        QTemporaryDir dir;
        Editing e(dir.path());
        QVERIFY(e.begin(cards(3)));
        QCOMPARE(e.write(1, CardRecord::deletedCard()), QString());
        QCOMPARE(e.write(number, card), QString());
        QByteArray expected = cards(3);
        expected.replace(0, RecordLength, QByteArray(CardRecord::deletedCard().bytes().data(), RecordLength));
        QCOMPARE(fileBytes(e.path), expected.replace((number - 1) * RecordLength, RecordLength, stored));
        QCOMPARE(e.session.backupPath(), dir.filePath(QStringLiteral("Filis.dat.bak")));
        QCOMPARE(fileBytes(e.session.backupPath()), cards(3));
    }

    void backupGoesToTheFallbackFolderWhenTheCardFolderIsClosed()
    {
        QTemporaryDir dir, data;
        const QString fallback = data.filePath(QStringLiteral("Velmora"));
        Editing e(dir.path(), fallback);
        QVERIFY(e.begin(cards(2)));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const auto reopened = qScopeGuard([&] {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        const PermissionsObeyed obeyed;
        if (!obeyed.ok())
            QSKIP("cannot give up CAP_DAC_OVERRIDE: root would write into the closed folder");
        QCOMPARE(e.write(2, CardRecord::newCard()), QString());
        QCOMPARE(e.session.backupPath(), backupInFolder(e.path, fallback));
        QCOMPARE(fileBytes(e.session.backupPath()), cards(2));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList(QStringLiteral("Filis.dat")));
    }

    // Too little room for the copy beside the file or in the fallback folder: nothing is
    // written, no partial copy stays, the older copy is untouched; with room, it all goes.
    void noBackupNoWrite()
    {
        QTemporaryDir dir;
        SmallMedium medium(dir.path());
        Editing e(dir.path(), dir.filePath(QStringLiteral("data")));
        const QByteArray older("an older session's copy");
        QVERIFY(e.begin(cards(40))); // two pages, one of them free: the copy fails half-way
        QVERIFY(writeBytes(e.path + QStringLiteral(".bak"), older));
        QString reason;
        {
            std::optional<SizeLimit> limit;
            if (medium.mounted)
                medium.fill(4096);
            else
                limit.emplace(5000);
            reason = e.write(1, CardRecord::deletedCard());
        }
        const QString why = medium.mounted ? NoSpace : OverLimit;
        QCOMPARE(reason, QStringLiteral("Δεν έγινε αντίγραφο ασφαλείας του αρχείου καρτελλών, γι' αυτό δεν "
                                        "γράφτηκε τίποτα.\nΣτον φάκελο «%1»: %2\nΣτον φάκελο «%1/data»: %2")
                             .arg(dir.path(), why));
        QCOMPARE(fileBytes(e.path), cards(40));
        QCOMPARE(fileBytes(e.path + QStringLiteral(".bak")), older);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), medium.mounted ? 3 : 2); // and the filler
        QCOMPARE(QDir(dir.filePath(QStringLiteral("data"))).entryList(QDir::Files), QStringList());

        QFile::remove(dir.filePath(QStringLiteral("filler")));
        QCOMPARE(e.write(1, CardRecord::deletedCard()), QString());
        QCOMPARE(fileBytes(e.session.backupPath()), cards(40));
    }

    void failedWriteLeavesTheFileWhole_data()
    {
        QTest::addColumn<Fault>("failure");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("reason");
        // Card 43 begins two bytes before the end of the second page, one byte before the
        // end of the file: a byte is written over, one added, and the rest needs a page
        // the full medium does not have, or lies past the size limit.
        QTest::newRow("disk full, card across the end") << Fault::DiskFull << cards(42, 1) << 43 << NoSpace;
        QTest::newRow("size limit, card across the end")
            << Fault::SizeLimit << cards(1, 98) << 2 << OverLimit;
        QTest::newRow("read-only medium")
            << Fault::ReadOnlyMedium << cards(3) << 2
            << QStringLiteral(
                   "Το αρχείο ανοίχτηκε μόνο για ανάγνωση: το μέσο αποθήκευσης δεν δέχεται εγγραφές.");
        QTest::newRow("read-only card file")
            << Fault::ReadOnlyFile << cards(3) << 2
            << QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση: δεν επιτρέπεται η εγγραφή σε αυτό.");
        QTest::newRow("removed while open")
            << Fault::Removed << cards(3) << 4
            << QStringLiteral("Το αρχείο διαγράφηκε ή μετακινήθηκε από τότε που ανοίχτηκε.");
        QTest::newRow("replaced while open") << Fault::Replaced << cards(3) << 2 << Replaced;
        QTest::newRow("replaced, then opened again")
            << Fault::ReplacedThenOpened << cards(3) << 2 << Replaced;
    }
    void failedWriteLeavesTheFileWhole()
    {
        QFETCH(Fault, failure);
        QFETCH(QByteArray, stored);
        QFETCH(int, number);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        std::optional<SmallMedium> medium;
        if (failure == Fault::DiskFull || failure == Fault::ReadOnlyMedium)
            medium.emplace(dir.path());
        if (failure == Fault::ReadOnlyMedium && !medium->mounted)
            QSKIP("cannot mount a tmpfs here to make it read-only");
        if (failure == Fault::DiskFull && !medium->mounted) {
            failure = Fault::SizeLimit; // the same partial write, through another limit
            reason = OverLimit;
        }
        Editing e(dir.path());
        QVERIFY(e.begin(stored));
        const QString kept = dir.filePath(QStringLiteral("kept")); // the same file, always reachable
        QCOMPARE(::link(QFile::encodeName(e.path).constData(), QFile::encodeName(kept).constData()), 0);
        QCOMPARE(e.write(1, e.file.read(1)), QString()); // the backup is made: what fails is the card

        std::optional<SizeLimit> limit;
        std::optional<PermissionsObeyed> obeyed;
        const auto reopen = [&] {
            e.file.close();
            e.file.open(e.path);
        };
        switch (failure) {
        case Fault::DiskFull:
            medium->fill(0);
            break;
        case Fault::SizeLimit:
            limit.emplace(stored.size() + 1);
            break;
        case Fault::ReadOnlyMedium:
            e.file.close();
            QVERIFY(medium->makeReadOnly());
            e.file.open(e.path);
            break;
        case Fault::ReadOnlyFile:
            QVERIFY(QFile::setPermissions(e.path, QFile::ReadOwner | QFile::ReadOther));
            if (!obeyed.emplace().ok())
                QSKIP("cannot give up CAP_DAC_OVERRIDE: root would write into the read-only file");
            reopen();
            break;
        case Fault::Removed:
            QVERIFY(QFile::remove(e.path));
            break;
        case Fault::Replaced:
        case Fault::ReplacedThenOpened:
            QVERIFY(writeBytes(e.path + QStringLiteral(".new"), cards(5)));
            QCOMPARE(::rename(QFile::encodeName(e.path + QStringLiteral(".new")), QFile::encodeName(e.path)),
                     0);
            if (failure == Fault::ReplacedThenOpened)
                reopen();
            break;
        }
        const QString why = e.write(number, CardRecord::newCard());
        limit.reset();
        obeyed.reset();
        QCOMPARE(why, reason);
        QCOMPARE(fileBytes(kept), stored);
        if (failure == Fault::Replaced || failure == Fault::ReplacedThenOpened)
            QCOMPARE(fileBytes(e.path), cards(5));
    }
};

QTEST_APPLESS_MAIN(tst_cardwrite)
#include "tst_cardwrite.moc"
