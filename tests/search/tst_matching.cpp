// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbertext.h"
#include "searchtext.h"

#include <QTest>

using namespace velmora;

namespace {
CardRecord titled(const QString &title)
{
    CardRecord c;
    c.setField(Field::Title, title);
    c.setField(Field::Isbn, QStringLiteral("960-123"));
    return c;
}
} // namespace

class tst_matching : public QObject
{
    Q_OBJECT

private slots:
    void upperCasingIsOneToOne_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accented") << QStringLiteral("άέήίόύώ") << QStringLiteral("ΆΈΉΊΌΎΏ");
        QTest::newRow("final sigma") << QStringLiteral("λόγος") << QStringLiteral("ΛΌΓΟΣ");
        QTest::newRow("iota with both marks stays") << QStringLiteral("ΐ") << QStringLiteral("ΐ");
        QTest::newRow("latin") << QStringLiteral("abc ß") << QStringLiteral("ABC ß");
        QTest::newRow("micro sign") << QStringLiteral("µ") << QStringLiteral("Μ");
        QTest::newRow("blanks kept") << QStringLiteral(" τ ") << QStringLiteral(" Τ ");
    }
    void upperCasingIsOneToOne()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(upperCased(typed), expected);
        QCOMPARE(SearchText::fromTyped(typed).text(), expected);
    }

    void containmentInTheFullField()
    {
        const CardRecord c = titled(QStringLiteral("ΙΣΤΟΡΙΑ ΤΟΥ ΕΘΝΟΥΣ"));
        QVERIFY(SearchText::fromTyped(QStringLiteral("του")).foundIn(c, Field::Title));
        QVERIFY(SearchText::fromTyped(QStringLiteral("εθνουσ ")).foundIn(c, Field::Title)); // fill blank
        QVERIFY(!SearchText::fromTyped(QStringLiteral("ΕΘΝΟΥΣ  X")).foundIn(c, Field::Title));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("ΙΣΤΟΡΙΑ")).foundIn(c, Field::Author));
    }

    void smallLettersStoredNeverMatch()
    {
        const CardRecord c = titled(QStringLiteral("ιστορία"));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("ιστορία")).foundIn(c, Field::Title));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("ΙΣΤΟΡΊΑ")).foundIn(c, Field::Title));
    }

    void prefixForIsbn()
    {
        const CardRecord c = titled(QString());
        QVERIFY(SearchText::fromTyped(QStringLiteral("960-")).prefixOf(c, Field::Isbn));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("60-")).prefixOf(c, Field::Isbn));
        QVERIFY(SearchText::fromTyped(QStringLiteral("60-")).foundIn(c, Field::Isbn));
        QVERIFY(!SearchText::fromTyped(QString(21, u'9')).prefixOf(c, Field::Isbn));
        QVERIFY(
            SearchText::fromTyped(QStringLiteral("960-123") + QString(13, u' ')).prefixOf(c, Field::Isbn));
    }

    void textOutsideTheCodePageMatchesNothing()
    {
        CardRecord c = titled(QStringLiteral("A?B"));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("A😀B")).foundIn(c, Field::Title));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("漢")).foundIn(c, Field::Title));
        QVERIFY(SearchText::fromTyped(QStringLiteral("a?b")).foundIn(c, Field::Title));
    }

    void emptyTextIsEmpty()
    {
        QVERIFY(SearchText::fromTyped(QString()).isEmpty());
        QVERIFY(!SearchText::fromTyped(QStringLiteral(" ")).isEmpty());
    }

    void numberText()
    {
        QCOMPARE(NumberText(5), QStringLiteral(" 5"));
        QCOMPARE(NumberText(0), QStringLiteral(" 0"));
        QCOMPARE(NumberText(-3), QStringLiteral("-3"));
        QCOMPARE(NumberText(120), QStringLiteral(" 120"));
    }
};

QTEST_APPLESS_MAIN(tst_matching)
#include "tst_matching.moc"
