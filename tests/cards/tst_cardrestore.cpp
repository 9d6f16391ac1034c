// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// restore puts a card file back as its own backup was, beside it or in the data folder,
// keeping the file as it was, never under an editor, and a journal goes only after.

#include "cardbackup.h"
#include "cardeditsession.h"
#include "cardfilelock.h"
#include "cardjournal.h"
#include "testfiles.h"
#include "toolrun.h"
#include "trust.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::cards::test;

namespace {

// A card file of `cards` cards, told apart from the others by its length and bytes.
QByteArray cardsOf(int cards)
{
    return QByteArray(cards * RecordLength, char('a' + cards));
}

struct Placed
{
    QString where; // "beside", "beside, a stranger's", "beside, a keeper's", "beside,
                   // hard-linked", "beside, other bytes" (one byte unlike cardsOf()'s), "data"
                   // or "another" (the data folder's copy of another Filis.dat)
    int generation;
    int cards;
    int hoursAgo;
};

// Another user who may write the card file, by the group the made-up account database gives.
const uid_t Keeper = ::geteuid() + 2;

QByteArray bytesOf(const Placed &p)
{
    QByteArray bytes = cardsOf(p.cards);
    if (p.where.endsWith(QLatin1String("other bytes")))
        bytes[bytes.size() - 1] = '~';
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(QList<Placed>)

class CardRestoreTest : public QObject
{
    Q_OBJECT

private slots:
    void restore_data()
    {
        QTest::addColumn<QList<Placed>>("copies");
        QTest::addColumn<QStringList>("arguments"); // FILIS for the card file
        QTest::addColumn<QString>("standing");      // "editor", "journal", "journal, the write fails"
        QTest::addColumn<int>("restored");          // the cards of the copy put back; 0 for none
        QTest::addColumn<QString>("said");          // %1 the folder; %2.. the copies' times and paths
        const QStringList latest{"FILIS"};
        const QList<Placed> beside{{"beside", 0, 2, 48}, {"beside", 1, 1, 72}};
        const QList<Placed> both = beside + QList<Placed>{{"data", 0, 3, 24}};
        QTest::newRow("the latest") << beside << latest << "" << 2 << "restored as %1/Filis.dat.bak was";
        QTest::newRow("1") << beside << QStringList{"FILIS", "1"} << "" << 1 << "Filis.dat.bak.1 was";
        QTest::newRow("the newer place first") << both << latest << "" << 3 << "";
        QTest::newRow("then the other place") << both << QStringList{"FILIS", "1"} << "" << 2 << "";
        QTest::newRow("another bibliography's newer backup")
            << beside + QList<Placed>{{"another", 0, 4, 1}} << latest << "" << 2 << "";
        QTest::newRow("a copy beside of one who cannot write the file, made in 2030")
            << QList<Placed>{{"beside, a stranger's", 0, 2, -30000}, {"beside", 1, 1, 72}} << latest << ""
            << 1 << "Filis.dat.bak» belongs to <stranger>, who may not write the card file";
        const QList<Placed> keepers{{"beside, a keeper's", 0, 2, 48}, {"beside", 1, 1, 72}};
        QTest::newRow("undoing another keeper's later session")
            << keepers << QStringList{"FILIS", "1"} << "" << 1
            << "Filis.dat: restoring 1 also undoes the session <keeper> began %2\n";
        QTest::newRow("--list, two keepers")
            << keepers << QStringList{"--list", "FILIS"} << "" << 0
            << "0  %2, 2 cards, by <keeper>  %3\n   restoring 0 also undoes the session <keeper> began %2\n"
               "1  %4, 1 card, by <me>  %5\n   restoring 1 also undoes the session <keeper> began %2\n";
        QTest::newRow("a backup of the same length, other bytes")
            << QList<Placed>{{"beside, other bytes", 0, 5, 48}} << latest << "" << 5 << "";
        QTest::newRow("a backup with another name too")
            << QList<Placed>{{"beside, hard-linked", 0, 2, 48}, {"beside", 1, 1, 72}} << latest << "" << 1
            << "Filis.dat.bak: has another name too (a hard link); not taken as a backup";
        QTest::newRow("no such backup") << beside << QStringList{"FILIS", "2"} << "" << 0 << "no backup 2";
        QTest::newRow("under an editor") << beside << latest << "editor" << 0 << "is being edited";
        QTest::newRow("a journal") << beside << latest << "journal" << 2 << "Filis.dat.journal: removed";
        QTest::newRow("a journal, the write fails")
            << beside << latest << "journal, the write fails" << 0 << "there is no free space";
        QTest::newRow("--list")
            << both << QStringList{"--list", "FILIS"} << "" << 0
            << "0  %6, 3 cards, by <me>  %7\n1  %2, 2 cards, by <me>  %3\n2  %4, 1 card, by <me>  %5\n";
    }
    void restore()
    {
        QFETCH(QList<Placed>, copies);
        QFETCH(QStringList, arguments);
        QFETCH(QString, standing);
        QFETCH(int, restored);
        QFETCH(QString, said);
        ToolRun tool;
        const QString data = tool.path(QStringLiteral("xdg/Velmora"));
        QVERIFY(QDir().mkpath(data));
        qputenv("XDG_DATA_HOME", QFile::encodeName(tool.path(QStringLiteral("xdg"))));
        const QString card = tool.path(QStringLiteral("Filis.dat"));
        tool.put(QStringLiteral("Filis.dat"), cardsOf(5));
        QVERIFY(QFile::setPermissions(card, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                QFile::WriteGroup));
        QStringList shown{tool.dir.path()};
        velmora::test::InterceptedCalls calls;
        velmora::test::madeUpGroups = [](uid_t user) -> std::optional<std::vector<gid_t>> {
            return std::vector<gid_t>{user == velmora::test::Stranger ? gid_t(user) : ::getegid()};
        };
        said.replace(QStringLiteral("<me>"), userName(::geteuid()))
            .replace(QStringLiteral("<keeper>"), userName(Keeper))
            .replace(QStringLiteral("<stranger>"), userName(velmora::test::Stranger));
        for (const Placed &p : copies) {
            const QString of =
                p.where == QLatin1String("another") ? tool.path(QStringLiteral("a/Filis.dat")) : card;
            QFile f(backupGeneration(p.where.startsWith(u'b') ? backupBeside(card) : backupInFolder(of, data),
                                     p.generation));
            const QDateTime made = QDateTime::currentDateTime().addSecs(-3600 * p.hoursAgo);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytesOf(p)) > 0 && f.flush() &&
                    f.setFileTime(made, QFileDevice::FileModificationTime));
            if (p.where.endsWith(QLatin1String("hard-linked")))
                QCOMPARE(::link(QFile::encodeName(f.fileName()).constData(),
                                QFile::encodeName(tool.path(QStringLiteral("another name"))).constData()),
                         0);
            if (p.where.endsWith(QLatin1String("'s")))
                velmora::test::makeUpOwner(f.fileName(), p.where.endsWith(QLatin1String("keeper's"))
                                                             ? Keeper
                                                             : velmora::test::Stranger);
            shown << made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << f.fileName();
        }
        struct stat before = {};
        QCOMPARE(::stat(QFile::encodeName(card).constData(), &before), 0);
        CardFileLock editor;
        if (standing == QLatin1String("editor"))
            QVERIFY(editor.acquire(card));
        if (standing.startsWith(QLatin1String("journal")))
            tool.put(QStringLiteral("Filis.dat.journal"), "VELMORA JOURNAL2, a filing cut short");
        const bool fails = standing.endsWith(QLatin1String("fails"));
        velmora::test::beforeCall = [fails](const velmora::test::CallSite &site) {
            return fails && site.call == velmora::test::Call::Pwrite ? ENOSPC : 0;
        };
        const int status = tool.run(QStringList{QStringLiteral("restore")} +
                                    arguments.replaceInStrings(QStringLiteral("FILIS"), card));
        for (int i = 0; i < shown.size(); ++i)
            said.replace(QStringLiteral("%%1").arg(i + 1), shown[i]);
        QVERIFY2(QString(tool.out + tool.err).contains(said), qPrintable(tool.out + tool.err));
        QCOMPARE(status, restored > 0 || arguments.contains(QStringLiteral("--list")) ? 0 : 1);
        // A journal goes only once the restore is on the disk.
        QCOMPARE(QFile::exists(tool.path(QStringLiteral("Filis.dat.journal"))), fails);
        if (restored == 0) {
            QCOMPARE(tool.get(QStringLiteral("Filis.dat")), cardsOf(5));
            QCOMPARE(QFile::exists(tool.path(QStringLiteral("Filis.dat.before-restore"))), fails);
            return;
        }
        const auto chosen =
            std::find_if(copies.begin(), copies.end(), [&](const Placed &p) { return p.cards == restored; });
        QCOMPARE(tool.get(QStringLiteral("Filis.dat")), bytesOf(*chosen));
        QCOMPARE(tool.get(QStringLiteral("Filis.dat.before-restore")), cardsOf(5));
        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(card).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
        // Restored again: the file as it was before the first restore is still the one kept.
        QCOMPARE(tool.run({QStringLiteral("restore"), card}), 0);
        QCOMPARE(tool.get(QStringLiteral("Filis.dat.before-restore")), cardsOf(5));
    }

    // A stranger's link in the middle of the path to a keeper's private card file: every
    // command that writes a card file is refused by the walk, naming the link, before anything
    // is created, and the file stays byte for byte, its journal not undone.
    void noStrangersLinkOnTheWay_data()
    {
        QTest::addColumn<QStringList>("command"); // FILIS for the card file; empty: velmora --edit
        QTest::newRow("import --append") << QStringList{"import", "--append", "IN", "FILIS"};
        QTest::newRow("import --replace") << QStringList{"import", "--replace", "IN", "FILIS"};
        QTest::newRow("restore") << QStringList{"restore", "FILIS"};
        QTest::newRow("velmora --edit") << QStringList();
    }
    void noStrangersLinkOnTheWay()
    {
        QFETCH(QStringList, command);
        ToolRun tool;
        QVERIFY(QDir().mkpath(tool.path(QStringLiteral("victim"))) &&
                QDir().mkpath(tool.path(QStringLiteral("shared"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(tool.path(QStringLiteral("xdg"))));
        tool.put(QStringLiteral("victim/Filis.dat"), cardsOf(5));
        tool.put(QStringLiteral("victim/Filis.dat.bak"), cardsOf(2));
        tool.put(QStringLiteral("in.csv"),
                 "Isbn,Author,Title,OtherName,Publication,PagesNotes\n960-1,A,B,,,\n");
        // A killed session's leftover, which a session begun would remove; and a journal which,
        // undone, would cut the file back to four cards.
        tool.put(QStringLiteral("victim/.Filis.dat.bak.a1b2c3"), "left over");
        tool.put(QStringLiteral("victim/Filis.dat.journal"),
                 encodeJournal({4 * RecordLength, 4 * RecordLength, {}, cardsOf(5).right(RecordLength)}));
        const QString link = tool.path(QStringLiteral("shared/link"));
        QVERIFY(QFile::link(tool.path(QStringLiteral("victim")), link));
        const QStringList before =
            QDir(tool.path(QStringLiteral("victim"))).entryList(QDir::Files | QDir::Hidden);
        const QString card = link + QStringLiteral("/Filis.dat");
        velmora::test::InterceptedCalls calls;
        velmora::test::makeUpOwner(link, velmora::test::Stranger);
        QString said;
        if (command.isEmpty()) {
            CardEditSession editing(tool.path(QStringLiteral("xdg/Velmora")));
            const Result<void> begun = editing.begin(card);
            said = begun ? QString() : begun.error().path;
        } else {
            QCOMPARE(
                tool.run(command.replaceInStrings(QStringLiteral("FILIS"), card)
                             .replaceInStrings(QStringLiteral("IN"), tool.path(QStringLiteral("in.csv")))),
                1);
            said = tool.err;
        }
        QVERIFY2(said.contains(link), qPrintable(said));
        QCOMPARE(tool.get(QStringLiteral("victim/Filis.dat")), cardsOf(5));
        QCOMPARE(QDir(tool.path(QStringLiteral("victim"))).entryList(QDir::Files | QDir::Hidden), before);
        QCOMPARE(QDir(tool.path(QStringLiteral("xdg/Velmora"))).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(CardRestoreTest)
#include "tst_cardrestore.moc"
