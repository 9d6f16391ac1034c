// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cp1253.h"
#include "unstorable.h"

#include <QTest>

#include <iconv.h>

using namespace velmora;

class tst_cp1253 : public QObject
{
    Q_OBJECT

private slots:
    void everyByteRoundTrips()
    {
        QSet<char16_t> seen;
        for (int b = 0; b < 256; ++b) {
            const QByteArray in(1, char(b));
            const QString text = cp1253::decode(in);
            QCOMPARE(text.size(), 1);
            QVERIFY2(!seen.contains(text[0].unicode()), qPrintable(QString::number(b, 16)));
            seen.insert(text[0].unicode());
            QByteArray out;
            QVERIFY(cp1253::encodeExact(text, &out));
            QCOMPARE(out, in);
        }
    }

    void definedBytesAgreeWithIconv()
    {
        iconv_t cd = iconv_open("UTF-16LE", "CP1253");
        QVERIFY(cd != iconv_t(-1));
        int defined = 0;
        for (int b = 0; b < 256; ++b) {
            char in = char(b);
            char16_t out[4] = {};
            char *src = &in;
            char *dst = reinterpret_cast<char *>(out);
            size_t inLeft = 1, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            const bool ok = iconv(cd, &src, &inLeft, &dst, &outLeft) != size_t(-1);
            QCOMPARE(ok, !cp1253::isUndefinedByte(uchar(b)));
            if (!ok)
                continue;
            ++defined;
            QCOMPARE(int(cp1253::decodeByte(uchar(b))), int(out[0]));
        }
        iconv_close(cd);
        QCOMPARE(defined, 256 - 17);
    }

    void greekTextIsOneBytePerLetter()
    {
        const QString text = QStringLiteral("ΆΈΉΊΌΎΏάέήίόύώςσΣϊϋΐΰ");
        QByteArray bytes;
        QVERIFY(cp1253::encodeExact(text, &bytes));
        QCOMPARE(bytes.size(), text.size());
        QCOMPARE(cp1253::decode(bytes), text);
    }

    void outsideTheCodePageBecomesQuestionMark()
    {
        QByteArray bytes;
        QVERIFY(!cp1253::encodeExact(QStringLiteral("aé漢"), &bytes));
        QCOMPARE(bytes, QByteArray("a??"));
        QVERIFY(!cp1253::isEncodable(u'é'));
        QVERIFY(cp1253::isEncodable(u'€'));
    }

    void unstorableCharactersOnceEachInOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("unstorable");
        QTest::newRow("Greek, Latin, € and control pictures")
            << QStringLiteral("Ἀθῆναι? ΑΘΗΝΑ € \u2409x")
            << QStringList({QStringLiteral("Ἀ"), QStringLiteral("ῆ")});
        QTest::newRow("repeated, in order of first appearance")
            << QStringLiteral("é漢aé") << QStringList({QStringLiteral("é"), QStringLiteral("漢")});
        QTest::newRow("a pair beyond U+FFFF is one character")
            << QStringLiteral("Α😀Β😀𝔸") << QStringList({QStringLiteral("😀"), QStringLiteral("𝔸")});
        QTest::newRow("what the code page holds once composed")
            << QStringLiteral("α\u0301 \u1F71 \u0387 \u037E e\u0301") << QStringList({QStringLiteral("é")});
        QTest::newRow("unpaired surrogates") << QString(QChar(0xDE00)) + QChar(0xD83D) + u'Α' + QChar(0xD83D)
                                             << QStringList({QString(QChar(0xDE00)), QString(QChar(0xD83D))});
    }
    void unstorableCharactersOnceEachInOrder()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, unstorable);
        QCOMPARE(unstorableCharacters(text), unstorable);
    }

    // One byte for each character stored, the canonical equivalents of the code page's
    // characters as themselves, and a cut between characters only.
    void storedForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("a combining acute") << QStringLiteral("α\u0301") << 20 << QByteArray("\xDC");
        QTest::newRow("alpha with oxia") << QStringLiteral("\u1F71") << 20 << QByteArray("\xDC");
        QTest::newRow("ano teleia") << QStringLiteral("\u0387") << 20 << QByteArray("\xB7");
        QTest::newRow("Greek question mark") << QStringLiteral("\u037E") << 20 << QByteArray(";");
        QTest::newRow("twenty accents typed apart fill twenty")
            << QStringLiteral("ε\u0301").repeated(20) << 20 << QByteArray(20, '\xDD');
        QTest::newRow("a letter with no equivalent, and its mark")
            << QStringLiteral("e\u0301Α") << 20 << QByteArray("?\xC1");
        QTest::newRow("beyond U+FFFF, one ? each") << QStringLiteral("😀😀Α𝔸") << 3 << QByteArray("??\xC1");
        QTest::newRow("a cut before a letter and its marks")
            << QStringLiteral("ΑΒε\u0304") << 3 << QByteArray("\xC1\xC2");
        QTest::newRow("control pictures as their bytes")
            << QStringLiteral("\u2400\u2409Α") << 20 << QByteArray("\0\t\xC1", 3);
    }
    void storedForm()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QByteArray, stored);
        QCOMPARE(cp1253::encodeForStorage(text, width), stored);
    }

    // Composing the text first changes no byte a card file can hold.
    void everyByteIsStoredAsRead()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QCOMPARE(cp1253::encodeForStorage(cp1253::decode(all), 256), all);
        QCOMPARE(cp1253::encodeForStorage(QString(cp1253::decode(all.right(128)) + cp1253::decode(all)), 384),
                 all.right(128) + all);
    }
};

QTEST_APPLESS_MAIN(tst_cp1253)
#include "tst_cp1253.moc"
