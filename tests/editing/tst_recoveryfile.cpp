// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The recovery file of a card typed and not filed: read back as written, whatever the
// characters, or not at all when damaged; written whole or not at all, and never through a
// link at its name.

#include "greekfailure.h"
#include "recoveryfile.h"
#include "testfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

const TypedCard Typed{2,
                      {QStringLiteral("960-1"), QStringLiteral(" ΠΑΠΑΔΕΑΣ Π."),
                       QStringLiteral("«Τίτλος»\n\"α\\β\""), QStringLiteral("𝔸 😀 \u0301"), QString(),
                       QStringLiteral("σ. 12  ")}};

// Over card 2 as it was, its title and notes typed, on the card file of device 12, inode 34.
const TypingBase Base{CardRecord::newCard(), {false, false, true, false, false, true}, {12, 34}, true};

// A file as the program wrote before it knew what the typing was typed over.
QByteArray firstFormat(const QString &cardPath, const TypedCard &card)
{
    const QJsonObject object{
        {QStringLiteral("format"), 1},
        {QStringLiteral("cardFile"), cardPath},
        {QStringLiteral("card"), int(card.number)},
        {QStringLiteral("fields"), QJsonArray::fromStringList({card.fields.begin(), card.fields.end()})}};
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return line + '\n' + QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex() + '\n';
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class tst_recoveryfile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString card() { return dir.filePath(QStringLiteral("Filis.dat")); }
    QString folder() { return dir.filePath(QStringLiteral("data/Velmora")); }
    QString path() { return recoveryFilePath(card(), folder()); }

private slots:
    void cleanup() { QDir(dir.filePath(QStringLiteral("data"))).removeRecursively(); }

    // Named after the card file and its folder, so that two bibliographies of one name
    // keep their typing apart.
    void namedAfterTheCardFile()
    {
        QVERIFY(QFileInfo(path()).fileName().startsWith(QStringLiteral("Filis.dat.")));
        QVERIFY(path().endsWith(QStringLiteral(".typed")));
        QVERIFY(path() != recoveryFilePath(dir.filePath(QStringLiteral("other/Filis.dat")), folder()));
    }

    // Whole, it gives the typing back character for character; damaged in any way, or
    // written for another card file, it gives nothing.
    void readBack_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("offered");
        QTest::newRow("whole") << QString() << true;
        QTest::newRow("typed over no card") << QStringLiteral("no card") << true;
        QTest::newRow("of the first format") << QStringLiteral("first format") << true;
        QTest::newRow("missing") << QStringLiteral("remove") << false;
        QTest::newRow("cut short by a crash") << QStringLiteral("cut") << false;
        QTest::newRow("one byte changed") << QStringLiteral("byte") << false;
        QTest::newRow("empty") << QStringLiteral("empty") << false;
        QTest::newRow("of another card file") << QStringLiteral("other") << false;
        QTest::newRow("reached through a link") << QStringLiteral("link") << false;
    }
    void readBack()
    {
        QFETCH(QString, damage);
        QFETCH(bool, offered);
        const QString cardPath =
            damage == QLatin1String("other") ? dir.filePath(QStringLiteral("Άλλο.dat")) : card();
        TypingBase base = Base;
        if (damage == QLatin1String("no card"))
            base.card.reset();
        if (damage == QLatin1String("first format")) {
            QVERIFY(QDir().mkpath(folder()));
            put(path(), firstFormat(cardPath, Typed));
        } else
            QVERIFY(writeRecoveryFile(path(), cardPath, Typed, base).has_value());
        QByteArray bytes = bytesOf(path());
        QVERIFY(bytes.endsWith('\n'));
        if (damage == QLatin1String("remove"))
            QVERIFY(removeRecoveryFile(path()).has_value());
        else if (damage == QLatin1String("cut"))
            put(path(), bytes.left(bytes.size() - 20));
        else if (damage == QLatin1String("byte"))
            put(path(), bytes.replace("960-1", "960-2"));
        else if (damage == QLatin1String("empty"))
            put(path(), QByteArray());
        else if (damage == QLatin1String("link")) {
            QVERIFY(QFile::rename(path(), path() + QStringLiteral(".real")));
            QVERIFY(QFile::link(path() + QStringLiteral(".real"), path()));
        }
        const std::optional<KeptTyping> read = readRecoveryFile(path(), card());
        QCOMPARE(read.has_value(), offered);
        if (offered) {
            QCOMPARE(TypedCard(*read), Typed);
            QVERIFY(read->base ==
                    (damage == QLatin1String("first format") ? std::nullopt : std::optional(base)));
        }
    }

    // A link at the name is neither written through nor replaced; a file of the user's is
    // replaced whole; only the user reads it; no temporary file stays behind.
    void writtenSafely()
    {
        QVERIFY(QDir().mkpath(folder()));
        const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
        put(elsewhere, "keep");
        QVERIFY(QFile::link(elsewhere, path()));
        const Result<void> refused = writeRecoveryFile(path(), card(), Typed, Base);
        QVERIFY(!refused);
        QVERIFY(greekText(refused.error()).contains(QStringLiteral("συμβολικός σύνδεσμος")));
        QCOMPARE(bytesOf(elsewhere), QByteArray("keep"));
        QVERIFY(QFileInfo(path()).isSymLink());

        QVERIFY(QFile::remove(path()));
        QVERIFY(writeRecoveryFile(path(), card(), TypedCard{3, {}}, Base).has_value());
        QVERIFY(writeRecoveryFile(path(), card(), Typed, Base).has_value());
        QCOMPARE(std::optional<TypedCard>(readRecoveryFile(path(), card())), Typed);
        QCOMPARE(QFile::permissions(path()),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::System | QDir::Hidden),
                 QStringList{QFileInfo(path()).fileName()});
    }

    // On a full medium the write fails, told, and the typing kept before stays whole.
    void aFullMediumKeepsTheFileBefore()
    {
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(writeRecoveryFile(path(), card(), Typed, Base).has_value());
        Result<void> written;
        {
            InterceptedCalls calls;
            beforeCall = [](const CallSite &site) { return site.call == Call::Write ? ENOSPC : 0; };
            written = writeRecoveryFile(path(), card(), TypedCard{3, {}}, Base);
        }
        QVERIFY(!written);
        QCOMPARE(written.error().error, ENOSPC);
        QCOMPARE(std::optional<TypedCard>(readRecoveryFile(path(), card())), Typed);
        QCOMPARE(QDir(folder()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_recoveryfile)
#include "tst_recoveryfile.moc"
