// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The benchmark's card file and its plain scan: the figures mean something only if the
// file holds what the benchmark expects of it, and the plain scan finds what the
// program's own matching finds.

#include "baseline.h"
#include "cardfile.h"
#include "cardgenerator.h"
#include "cp1253.h"
#include "searchtext.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;
using namespace velmora::bench;

namespace {

// What the program's own reading and matching find in a card file.
struct Census
{
    qint64 cards = 0;
    qint64 titleMarkers = 0;
    qint64 isbnMarkers = 0;
    qint64 absent = 0; // cards holding the absent text in any searched field
    qint64 deleted = 0;
    qint64 kept960 = 0; // new cards that kept their preset ISBN
    qint64 smallLetters = 0;
};

Census census(const QString &path)
{
    CardFile file;
    if (!file.open(path, CardFile::Access::ReadOnly))
        return {}; // no card counted: the test's comparisons fail
    CardReader reader(file);
    const SearchText marker = SearchText::fromTyped(planted::TitleMarker);
    const SearchText isbn = SearchText::fromTyped(planted::IsbnMarker);
    const SearchText absent = SearchText::fromTyped(planted::Absent);
    const QByteArray bareIsbn = "960-" + QByteArray(16, ' ');
    Census c;
    c.cards = file.cardCount().value_or(0);
    CardRecord card;
    for (qint32 n = 1; n <= c.cards; ++n) {
        if (!reader.read(n, card))
            return {};
        c.titleMarkers += marker.foundIn(card, Field::Title);
        c.isbnMarkers += isbn.prefixOf(card, Field::Isbn);
        for (Field f : {Field::Isbn, Field::Author, Field::Title, Field::OtherName, Field::Publication})
            if (absent.foundIn(card, f)) {
                ++c.absent;
                break;
            }
        c.deleted += card.fieldBytes(Field::Isbn).startsWith("~~~");
        c.kept960 += card.fieldBytes(Field::Isbn) == QByteArrayView(bareIsbn);
        const QString title = card.field(Field::Title);
        c.smallLetters += title != title.toUpper();
    }
    return c;
}

} // namespace

class tst_BenchFiles : public QObject
{
    Q_OBJECT

private slots:
    void sameCountSameBytes()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.dat")), b = dir.filePath(QStringLiteral("b.dat"));
        writeCardFile(a, 3000);
        writeCardFile(b, 3000);
        QFile fa(a), fb(b);
        QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
        const QByteArray bytes = fa.readAll();
        QCOMPARE(bytes.size(), 3000 * RecordLength);
        QCOMPARE(fb.readAll(), bytes);
        // Every byte is one the code page defines: the cards are text as the program reads it.
        QVERIFY(std::none_of(bytes.cbegin(), bytes.cend(),
                             [](char c) { return cp1253::isUndefinedByte(static_cast<unsigned char>(c)); }));
    }

    void plantedTextsAsCounted_data()
    {
        QTest::addColumn<qint64>("cards");
        QTest::newRow("one card") << qint64(1);
        QTest::newRow("one read block of the plain scan") << qint64(4096);
        QTest::newRow("one card past it") << qint64(4097);
        QTest::newRow("enough for planted ISBNs") << qint64(250000);
    }

    void plantedTextsAsCounted()
    {
        QFETCH(qint64, cards);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        const GeneratedFile generated = writeCardFile(path, cards);
        const Census found = census(path);

        QCOMPARE(found.cards, cards);
        QCOMPARE(found.titleMarkers, generated.titleMarkers);
        QCOMPARE(found.isbnMarkers, generated.isbnMarkers);
        QCOMPARE(found.absent, 0);
        // The plain scan agrees with the program's matching.
        QCOMPARE(scanTitlesBaseline(path, cp1253::encode(planted::TitleMarker)), generated.titleMarkers);
        QCOMPARE(scanTitlesBaseline(path, cp1253::encode(planted::Absent)), 0);

        if (cards >= 100000) {
            // About one title in a hundred for the exploration, a few ISBNs for the prefix
            // search, and cards of every kind the program meets.
            QVERIFY(qAbs(generated.titleMarkers - cards / 100) < cards / 1000);
            QVERIFY(generated.isbnMarkers > 0);
            QVERIFY(found.deleted > 0);
            QVERIFY(found.kept960 > 0);
            QVERIFY(found.smallLetters > 0);
        }
    }
};

QTEST_GUILESS_MAIN(tst_BenchFiles)
#include "tst_benchfiles.moc"
