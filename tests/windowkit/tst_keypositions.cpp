// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keypositions.h"

#include <QKeyEvent>
#include <QTest>

using namespace velmora;

class tst_keypositions : public QObject
{
    Q_OBJECT

private slots:
    void letterKeysByPosition_data()
    {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("latin h") << int(Qt::Key_H) << QStringLiteral("h") << int(Qt::Key_H);
        QTest::newRow("greek eta") << int(Qt::Key_unknown) << QStringLiteral("η") << int(Qt::Key_H);
        QTest::newRow("greek capital tau") << 0x03A4 << QStringLiteral("Τ") << int(Qt::Key_T);
        QTest::newRow("greek pi") << 0x03A0 << QStringLiteral("π") << int(Qt::Key_P);
        QTest::newRow("greek rho") << 0x03A1 << QStringLiteral("ρ") << int(Qt::Key_R);
        QTest::newRow("greek omicron") << 0x039F << QStringLiteral("ο") << int(Qt::Key_O);
        QTest::newRow("final sigma is W, not S") << 0x03A3 << QStringLiteral("ς") << int(Qt::Key_W);
        QTest::newRow("sigma is S") << 0x03A3 << QStringLiteral("σ") << int(Qt::Key_S);
        QTest::newRow("accented alpha")
            << int(Qt::Key_unknown) << QStringLiteral("ά") << int(Qt::Key_unknown);
        QTest::newRow("page down") << int(Qt::Key_PageDown) << QString() << int(Qt::Key_PageDown);
        QTest::newRow("digit") << int(Qt::Key_5) << QStringLiteral("5") << int(Qt::Key_5);
    }
    void letterKeysByPosition()
    {
        QFETCH(int, qtKey);
        QFETCH(QString, text);
        QFETCH(int, expected);
        const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::AltModifier, text);
        QCOMPARE(keyCodeOf(event), expected);
    }

    void modifierMask()
    {
        QCOMPARE(shiftMaskOf(Qt::NoModifier), 0);
        QCOMPARE(shiftMaskOf(Qt::AltModifier), AltBit);
        QCOMPARE(shiftMaskOf(Qt::AltModifier | Qt::ShiftModifier), AltBit | ShiftBit);
        QCOMPARE(shiftMaskOf(Qt::ControlModifier | Qt::KeypadModifier), CtrlBit);
    }
};

QTEST_MAIN(tst_keypositions)
#include "tst_keypositions.moc"
