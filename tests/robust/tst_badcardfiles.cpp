// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Card files with every kind of damage: the program shows, searches, explores and exports
// them as they are, or says clearly why it cannot use them and ends; it never crashes.

#include "cardfile.h"
#include "cardfilefailure.h"
#include "nonregularfiles.h"
#include "program.h"
#include "testfiles.h"
#include "titleedit.h"

#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString LastCard = QStringLiteral("Είστε στην Τελευταία Καρτέλλα");

CardRecord tailCard()
{
    return card(QStringLiteral("960-ΟΥΡΑ"), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ ΟΥΡΑΣ"),
                QStringLiteral("ΤΙΤΛΟΣ ΤΗΣ ΚΑΡΤΕΛΛΑΣ ΣΤΟ ΤΕΛΟΣ ΤΟΥ ΑΡΧΕΙΟΥ ΧΩΡΙΣ ΤΑ ΔΙΚΑ ΤΗΣ"));
}

QList<CardRecord> twoCards()
{
    return {card(QStringLiteral("960-1"), QStringLiteral("Α")),
            card(QStringLiteral("960-2"), QStringLiteral("Β"))};
}

QString shownTitle(frmTervani *w)
{
    return w->txtTitlos->toPlainText();
}

} // namespace

class BadCardFilesTest : public QObject
{
    Q_OBJECT

private slots:
    // 97 bytes at the end are no card; 98 are one, its missing bytes read as blanks.
    void partialTrailingRecord_data()
    {
        QTest::addColumn<int>("tail");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("lastTitle"); // what the tail's title shows, when it is a card
        QTest::newRow("97 bytes") << 97 << 2 << QString();
        // The title starts at byte 40: 58 of its 65 characters are stored.
        QTest::newRow("98 bytes") << 98 << 3 << tailCard().field(Field::Title).left(58).trimmed();
    }
    void partialTrailingRecord()
    {
        QFETCH(int, tail);
        QFETCH(int, count);
        QFETCH(QString, lastTitle);
        Program p;
        const QByteArray stored =
            recordBytes(twoCards()[0]) + recordBytes(twoCards()[1]) + recordBytes(tailCard()).left(tail);
        p.writeBytes(stored);
        frmTervani *w = p.start();
        QVERIFY(w);
        QCOMPARE(w->CardCount, count);
        QCOMPARE(w->windowTitle(),
                 QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  1  από  %1").arg(count));

        for (int i = 1; i < count; ++i)
            w->cmdNext_Click();
        QCOMPARE(w->CurrentCard, count);
        if (count == 3) {
            QCOMPARE(w->txtEpo->text(), QStringLiteral("960-ΟΥΡΑ"));
            QCOMPARE(shownTitle(w), lastTitle);
        }
        w->cmdNext_Click();
        QCOMPARE(p.tp.beeper.count, 1);
        QCOMPARE(p.tp.messages.calls.last().prompt, LastCard);
        QCOMPARE(w->CurrentCard, count);

        // The searches and the explorations reach the partial card exactly when it counts.
        p.tp.input.answers << QStringLiteral("στο τελοσ");
        p.tp.messages.answers << Answer::Cancel;
        w->cmdFindTitle_Click();
        QCOMPARE(p.tp.messages.calls.last().prompt,
                 count == 3 ? QStringLiteral("Θέλετε να Εκτυπώσω την Καρτέλλα  3 ;")
                            : QStringLiteral("Το Κείμενο ΣΤΟ ΤΕΛΟΣ δεν Βρέθηκε"));

        frmMulti *m = p.toExploration();
        QVERIFY(m);
        QCOMPARE(m->CardCount, count);
        p.tp.input.answers << QStringLiteral("ΟΥΡΑ");
        p.tp.messages.answers << Answer::No; // into the export file
        m->mnuEpo_Click();
        if (count == 3)
            QVERIFY(p.exportBytes().startsWith(recordBytes(tailCard()).left(20)));
        else
            QCOMPARE(p.tp.messages.calls.last().prompt, QStringLiteral("Ο Αριθμός ISBN ΟΥΡΑ δεν Βρέθηκε"));
        p.toCards();

        // Nothing rounded the file up to whole cards.
        QCOMPARE(p.tp.cardFileBytes(), stored);
    }

    // Control bytes, NUL and the bytes Windows-1253 leaves undefined: shown legibly, found,
    // exported and written back byte for byte.
    void controlAndUndefinedBytesInFields()
    {
        Program p;
        QByteArray stored = recordBytes(card(QStringLiteral("960-1"), QStringLiteral("ΘΟΥΚΥΔΙΔΗΣ"),
                                             QStringLiteral("ΙΣΤΟΡΙΑΙ"), QStringLiteral("ΑΛΛΟΣ"),
                                             QStringLiteral("ΕΣΤΙΑ"), QStringLiteral("12")));
        const auto put = [&stored](Field f, int position, const QByteArray &bytes) {
            stored.replace(layoutOf(f).offset + position, bytes.size(), bytes);
        };
        put(Field::Title, 8,
            QByteArray("\0\x81\xD2\xFF\xAA", 5) + "\xC1"); // after ΙΣΤΟΡΙΑΙ: NUL, undefined, Α
        put(Field::Title, 20, QByteArray("\r\n", 2));      // a line break in the two-line title
        put(Field::Author, 0, QByteArray("\t", 1));        // in place of Θ
        put(Field::OtherName, 5, QByteArray("\r\n", 2));
        put(Field::PagesNotes, 19, QByteArray("\0", 1)); // a NUL as the very last byte
        const QByteArray file = stored + recordBytes(card(QStringLiteral("960-2")));
        p.writeBytes(file);
        p.edit();

        frmTervani *w = p.start();
        QVERIFY(w);
        QCOMPARE(shownTitle(w), QStringLiteral("ΙΣΤΟΡΙΑΙ\u2400\u0081\uF8D2\uF8FF\u00AAΑ") + QString(6, u' ') +
                                    QStringLiteral("\u240D\u240A"));
        QCOMPARE(w->txtOno->text(), QStringLiteral("\u2409ΟΥΚΥΔΙΔΗΣ"));
        QCOMPARE(w->txtAlloi->text(), QStringLiteral("ΑΛΛΟΣ\u240D\u240A"));
        QCOMPARE(w->txtSp->text(), QStringLiteral("12") + QString(17, u' ') + QStringLiteral("\u2400"));
        QCOMPARE(w->txtTitlos->document()->blockCount(), 1); // no line break in the title
        QCOMPARE(recordBytes(w->Card), stored);

        // Filing the shown card writes it back: not a byte changes.
        w->cmdCorrect_Click();
        QCOMPARE(p.tp.cardFileBytes(), file);

        // Found by the text around the damage, and by the damage typed as shown.
        struct Search
        {
            QString typed;
            void (frmTervani::*handler)();
        };
        for (const Search &s :
             {Search{QStringLiteral("ιστοριαι"), &frmTervani::cmdFindTitle_Click},
              Search{QStringLiteral("ΙΑΙ\u2400\u0081"), &frmTervani::cmdFindTitle_Click},
              Search{QStringLiteral("ΙΑΙ") + QChar(0) + QChar(0x81), &frmTervani::cmdFindTitle_Click},
              Search{QStringLiteral("\u2409ΟΥ"), &frmTervani::cmdFindAuthor_Click},
              Search{QStringLiteral("ΑΛΛΟΣ\r\n"), &frmTervani::cmdFindAlloi_Click}}) {
            w->cmdNext_Click();
            p.tp.input.answers << s.typed;
            p.tp.messages.answers << Answer::Cancel;
            (w->*s.handler)();
            QVERIFY2(w->CurrentCard == 1, qPrintable(s.typed));
            QCOMPARE(p.tp.messages.calls.last().prompt,
                     QStringLiteral("Θέλετε να Εκτυπώσω την Καρτέλλα  1 ;"));
        }

        // The export file holds the stored bytes of every field.
        frmMulti *m = p.toExploration();
        p.tp.input.answers << QStringLiteral("ΙΣΤΟΡΙΑΙ");
        p.tp.messages.answers << Answer::No;
        m->mnuTitlos_Click();
        const QByteArray exported = p.exportBytes();
        QVERIFY(exported.contains(QByteArray(stored.mid(layoutOf(Field::Title).offset, 65) + "\r\n")));
        QVERIFY(exported.contains(stored.mid(layoutOf(Field::Publication).offset, 40)));
        QVERIFY(exported.contains(stored.mid(layoutOf(Field::PagesNotes).offset, 20)));
        QVERIFY(exported.contains(QByteArray(stored.left(20) + "  " + stored.mid(20, 20))));
        p.toCards();
        QCOMPARE(p.tp.cardFileBytes(), file);
    }

    // Files the program cannot use: a clear message naming the file and the reason in
    // Greek, nothing left on screen, and (in a process of its own) a non-zero exit.
    void cardFileThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << QStringLiteral("folder") << QStringLiteral("φάκελο");
        QTest::newRow("a link to itself") << QStringLiteral("loop") << QStringLiteral("συμβολικοί σύνδεσμοι");
        QTest::newRow("longer than 2 GiB") << QStringLiteral("long") << QStringLiteral("2.147.483.647 bytes");
        QTest::newRow("unreadable") << QStringLiteral("unreadable") << QStringLiteral("Δεν επιτρέπεται");
        // None of these may keep the program waiting: a FIFO blocks an open for reading.
        QTest::newRow("a FIFO") << QStringLiteral("fifo") << QStringLiteral("σωλήνωση (FIFO)");
        QTest::newRow("a read-only FIFO")
            << QStringLiteral("readonlyfifo") << QStringLiteral("σωλήνωση (FIFO)");
        QTest::newRow("a socket") << QStringLiteral("socket") << QStringLiteral("(socket)");
        QTest::newRow("a link to /dev/null")
            << QStringLiteral("devnull") << QStringLiteral("συσκευή χαρακτήρων");
        QTest::newRow("a link to a folder") << QStringLiteral("folderlink") << QStringLiteral("φάκελο");
    }
    void cardFileThatCannotBeUsed()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(),
                                      QFile::permissions(dir.path()) | QFile::ExeOther | QFile::ReadOther));
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        // Damages the card file at `at`; false when this system cannot make that damage.
        const auto make = [&kind](const QString &at) {
            if (kind == QLatin1String("folder"))
                return QDir().mkdir(at);
            if (kind == QLatin1String("readonlyfifo"))
                return makeNonRegularFile(QStringLiteral("fifo"), at) &&
                       QFile::setPermissions(at, QFile::ReadOwner);
            if (makeNonRegularFile(kind, at))
                return true;
            if (kind == QLatin1String("loop"))
                return QFile::link(at, at);
            if (kind != QLatin1String("long") && kind != QLatin1String("unreadable"))
                return false;
            QFile f(at);
            if (!f.open(QIODevice::WriteOnly))
                return false;
            if (kind == QLatin1String("long"))
                return f.resize(MaxFileLength + 1); // sparse: no disk space is used
            f.write(recordBytes(card(QStringLiteral("960-"))));
            f.close();
            return QFile::setPermissions(at, {});
        };
        if (!make(path))
            QSKIP("this file system cannot make that file");
        QStringList asUser; // the command that runs the helper as another user, for root
        if (kind == QLatin1String("readonlyfifo") && ::geteuid() == 0) {
            // Root writes whatever the permissions say, unless it gives up that power: the
            // program must fall back to reading the FIFO, which is where it could block.
            const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (setpriv.isEmpty())
                QSKIP("root writes to any file, and setpriv is not there to stop it");
            asUser = {setpriv, QStringLiteral("--bounding-set=-dac_override"), QStringLiteral("--")};
        }
        if (kind == QLatin1String("unreadable") && ::geteuid() == 0) {
            // Root reads whatever the permissions say: the helper runs as nobody.
            const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (setpriv.isEmpty())
                QSKIP("root reads any file, and setpriv is not there to run as another user");
            asUser = {setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                      QStringLiteral("--clear-groups"), QStringLiteral("--")};
            // The build may lie in a folder nobody cannot enter: the helper with no folder
            // answers 2 when it can be run at all.
            QProcess probe;
            probe.start(setpriv, asUser.mid(1) << QStringLiteral(VELMORA_START_HELPER));
            if (!probe.waitForFinished(60000) || probe.exitStatus() != QProcess::NormalExit ||
                probe.exitCode() != 2)
                QSKIP("the test programs cannot be run as another user from where they were built");
        }

        if (asUser.isEmpty()) {
            // In this process, on the fakes.
            Program p;
            QVERIFY(make(p.tp.cardFile()));
            QVERIFY(!p.start());
            QCOMPARE(p.tp.messages.calls.size(), 1);
            const MessageCall &m = p.tp.messages.calls[0];
            QCOMPARE(m.title, QStringLiteral("Βελμόρα 3.0"));
            QVERIFY2(m.prompt.contains(p.tp.cardFile()) && m.prompt.contains(reason), qPrintable(m.prompt));
            QVERIFY(!p.cards());
        }

        // As a program of its own: the message, then a non-zero exit, never a crash.
        QProcess helper;
        QStringList command = asUser;
        command << QStringLiteral(VELMORA_START_HELPER) << dir.path();
        helper.start(command.takeFirst(), command);
        QVERIFY(helper.waitForFinished(60000));
        const QString out = QString::fromUtf8(helper.readAllStandardOutput());
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QVERIFY2(helper.exitCode() == CardFileFailureStatus, qPrintable(out + helper.readAllStandardError()));
        QCOMPARE(out.count(QStringLiteral("message: Βελμόρα 3.0|")), 1);
        QVERIFY2(out.contains(path) && out.contains(reason), qPrintable(out));
        QVERIFY(!out.contains(QStringLiteral("caption:")));
    }

    // A card file the user cannot write: opened for reading, browsed and searched as
    // usual; only a write (behind the hidden editing controls) fails, as an error.
    void readOnlyCardFile()
    {
        Program p;
        p.tp.writeCards(twoCards());
        const QByteArray stored = p.tp.cardFileBytes();
        test::InterceptedCalls calls;
        test::beforeCall = [](const test::CallSite &site) {
            return test::opensForWriting(site, "Filis.dat") ? EACCES : 0;
        };
        frmTervani *w = p.start();
        QVERIFY(w);
        QVERIFY(w->File.isReadOnly());
        QCOMPARE(w->CardCount, 2);
        w->cmdNext_Click();
        QCOMPARE(w->txtEpo->text(), QStringLiteral("960-2"));
        p.tp.input.answers << QStringLiteral("Α");
        p.tp.messages.answers << Answer::No;
        w->cmdFindAuthor_Click();
        QCOMPARE(w->CurrentCard, 1);

        // Browsing has no way to the disk: the hidden filing handler writes nothing and
        // raises nothing.
        w->txtOno->setText(QStringLiteral("ΝΕΟΣ"));
        w->cmdCorrect_Click();
        QCOMPARE(p.tp.cardFileBytes(), stored);
    }

    // Removed while the card window holds it open: the open file still reads; the next
    // window to open it finds it missing and starts a new, empty one, as at start-up.
    void removedWhileRunning()
    {
        Program p;
        p.tp.writeCards(twoCards());
        frmTervani *w = p.start();
        QVERIFY(w);
        QVERIFY(QFile::remove(p.tp.cardFile()));

        w->cmdNext_Click();
        QCOMPARE(w->txtOno->text(), QStringLiteral("Β"));
        w->cmdPrevious_Click();
        QCOMPARE(w->txtOno->text(), QStringLiteral("Α"));
        p.tp.input.answers << QStringLiteral("Β");
        p.tp.messages.answers << Answer::Yes << Answer::Ok;
        w->cmdFindAuthor_Click();
        QCOMPARE(w->CurrentCard, 2);
        w->cmdEndPrint_Click();
        QCOMPARE(p.tp.renderer.documents.size(), 1);
        p.tp.forms.show(FormName::frmAbout);

        frmMulti *m = p.toExploration();
        QVERIFY(m);
        QCOMPARE(m->CardCount, 1);
        QVERIFY(QFile::exists(p.tp.cardFile()));
        QCOMPARE(p.tp.cardFileBytes(), QByteArray());
        w = p.toCards();
        QCOMPARE(w->CardCount, 1);
        QCOMPARE(w->txtEpo->text(), QString());
    }
};

QTEST_MAIN(BadCardFilesTest)
#include "tst_badcardfiles.moc"
