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
        QTest::newRow("unpaired surrogates") << QString(QChar(0xDE00)) + QChar(0xD83D) + u'Α' + QChar(0xD83D)
                                             << QStringList({QString(QChar(0xDE00)), QString(QChar(0xD83D))});
    }
    void unstorableCharactersOnceEachInOrder()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, unstorable);
        QCOMPARE(unstorableCharacters(text), unstorable);
    }
};

QTEST_APPLESS_MAIN(tst_cp1253)
#include "tst_cp1253.moc"
