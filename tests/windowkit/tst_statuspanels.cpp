// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"
#include "statuspanels.h"

#include <QLabel>
#include <QMainWindow>
#include <QTest>

using namespace velmora;
using velmora::test::FakeKeyboard;

class tst_statuspanels : public QObject
{
    Q_OBJECT

private slots:
    // A message longer than its panel is painted cut with "…" and is whole in the tooltip;
    // one that fits is painted whole.
    void theWholeMessageCanBeRead_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("elided");
        QTest::newRow("fits") << QStringLiteral("Η Καρτέλλα < 3 >") << false;
        QTest::newRow("longer than the panel")
            << QStringLiteral(
                   "Η Καρτέλλα < 3 > θα εκτυπωθεί. Πατήστε 'ΕΚΤΥΠΩΣΗ' όταν επιλέξετε όλες τις Καρτέλλες")
            << true;
        QTest::newRow("none") << QString() << false;
    }

    void theWholeMessageCanBeRead()
    {
        QFETCH(QString, message);
        QFETCH(bool, elided);
        QMainWindow window;
        StatusPanels panels(&window, 3);
        QLabel *panel = panels.panel(StatusPanels::MessagePanel);
        panel->setFixedSize(240, 24);
        panels.setMessage(QStringLiteral("an earlier message"));
        panels.setMessage(message);
        QCOMPARE(panels.message(), message);
        QCOMPARE(panel->toolTip(), message);

        // What the eye sees: a plain label showing the start of the message that fits,
        // followed by "…" where it is cut.
        const int room =
            panel->width() - panel->contentsRect().width() + panel->fontMetrics().horizontalAdvance(u'x');
        const QString shown = panel->fontMetrics().elidedText(message, Qt::ElideRight, panel->width() - room);
        QCOMPARE(shown.endsWith(u'…'), elided);
        QWidget beside;
        auto *seen = new QLabel(shown, &beside);
        seen->setFrameStyle(panel->frameStyle());
        seen->setFixedSize(panel->size());
        const auto image = [](QWidget *w) {
            return w->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        };
        QCOMPARE(image(panel), image(seen));
    }

    // Blank where the platform cannot tell, never "off".
    void lockPanels_data()
    {
        QTest::addColumn<bool>("reporting");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("lit");
        QTest::newRow("on") << true << true << QStringLiteral("CAPS") << true;
        QTest::newRow("off") << true << false << QStringLiteral("CAPS") << false;
        QTest::newRow("not told") << false << false << QString() << false;
    }

    void lockPanels()
    {
        QFETCH(bool, reporting);
        QFETCH(bool, on);
        QMainWindow window;
        StatusPanels panels(&window, 4);
        FakeKeyboard keyboard;
        keyboard.caps = true;
        panels.showLight(4, QStringLiteral("CAPS"), keyboard, KeyboardState::Light::CapsLock);
        keyboard.reporting = reporting;
        keyboard.caps = on;
        panels.showLight(4, QStringLiteral("CAPS"), keyboard, KeyboardState::Light::CapsLock);
        QTEST(panels.panel(4)->text(), "text");
        QTEST(panels.panel(4)->isEnabled(), "lit");
    }
};

QTEST_MAIN(tst_statuspanels)
#include "tst_statuspanels.moc"
