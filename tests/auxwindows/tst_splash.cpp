// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"
#include "frmsplash.h"

#include <QFontInfo>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

class SplashTest : public QObject
{
    Q_OBJECT

    // The splash window with a stand-in card window that records when it is loaded and
    // whether the splash window was on screen at that moment.
    struct Run
    {
        TestPlatform tp;
        int cardWindowLoads = 0;
        bool splashVisibleAtCardLoad = false;

        Run()
        {
            tp.forms.registerForm(FormName::frmSplash, [this]() -> QWidget * {
                auto *w = new frmSplash(tp.platform(), tp.forms);
                w->Form_Load();
                return w;
            });
            tp.forms.registerForm(FormName::frmTervani, [this]() -> QWidget * {
                ++cardWindowLoads;
                // The splash is not registered as loaded until its load step returns, so
                // look for the window itself.
                const auto windows = QApplication::topLevelWidgets();
                for (QWidget *w : windows)
                    if (w->objectName() == QLatin1String("frmSplash") && w->isVisible())
                        splashVisibleAtCardLoad = true;
                auto *w = new QWidget;
                w->setObjectName(QStringLiteral("frmTervani"));
                return w;
            });
        }
        ~Run()
        {
            for (FormName name : {FormName::frmSplash, FormName::frmTervani})
                tp.forms.unload(name);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        frmSplash *splash() { return tp.forms.form<frmSplash>(FormName::frmSplash); }
        QWidget *cardWindow() { return tp.forms.form(FormName::frmTervani); }
    };

private slots:
    void loadShowsSplashThenLoadsHiddenCardWindow()
    {
        Run run;
        run.tp.forms.load(FormName::frmSplash);
        frmSplash *splash = run.splash();
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QCOMPARE(run.cardWindowLoads, 1);
        QVERIFY(run.splashVisibleAtCardLoad);
        QVERIFY(run.cardWindow());
        QVERIFY(!run.cardWindow()->isVisible());

        QVERIFY(splash->tmrSplash->isSingleShot());
        QCOMPARE(splash->tmrSplash->interval(), 3000);
        QCOMPARE(splash->tmrSplash->timerType(), Qt::PreciseTimer);
        QVERIFY(splash->tmrSplash->isActive());
    }

    void tickUnloadsSplashAndShowsCardWindow()
    {
        Run run;
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        run.tp.forms.load(FormName::frmSplash);
        QPointer<frmSplash> splash = run.splash();
        QWidget *cardWindow = run.cardWindow();
        splash->tmrSplash->setInterval(20); // the real timer, only sooner

        QTRY_VERIFY(cardWindow->isVisible());
        QVERIFY(!run.tp.forms.isLoaded(FormName::frmSplash));
        QTRY_VERIFY(splash.isNull()); // its timer went with it
        QCOMPARE(run.cardWindowLoads, 1);
        QCOMPARE(run.cardWindow(), cardWindow);
        // Unloading the only visible window must not count as the last window closing.
        QCOMPARE(lastClosed.count(), 0);
        QCOMPARE(run.tp.programEnded, 0);
    }

    void onlyTheFirstTickCounts()
    {
        Run run;
        run.tp.forms.load(FormName::frmSplash);
        frmSplash *splash = run.splash();
        splash->tmrSplash_Timer();
        QVERIFY(!splash->tmrSplash->isActive());
        QVERIFY(run.cardWindow()->isVisible());

        // Were a second tick to act, it would show the card window again.
        run.cardWindow()->hide();
        splash->tmrSplash_Timer();
        QVERIFY(!run.cardWindow()->isVisible());
        QTest::qWait(50);
        QVERIFY(!run.cardWindow()->isVisible());
    }

    void splashShownAgainLeavesTheCardWindowAlone()
    {
        Run run;
        run.tp.forms.load(FormName::frmSplash);
        run.splash()->tmrSplash_Timer();
        QWidget *cardWindow = run.cardWindow();
        QVERIFY(cardWindow->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // As the card window's picture does it.
        run.tp.forms.show(FormName::frmSplash);
        frmSplash *again = run.splash();
        QVERIFY(again && again->isVisible());
        QCOMPARE(run.cardWindowLoads, 1);
        QVERIFY(again->tmrSplash->isActive());
        QCOMPARE(again->tmrSplash->interval(), 3000);

        again->tmrSplash->setInterval(20);
        QTRY_VERIFY(!run.tp.forms.isLoaded(FormName::frmSplash));
        QCOMPARE(run.cardWindow(), cardWindow);
        QVERIFY(cardWindow->isVisible());
        QCOMPARE(run.cardWindowLoads, 1);
    }

    void closingTheSplashEarlyShowsTheCardWindow()
    {
        Run run;
        run.tp.forms.load(FormName::frmSplash);
        run.splash()->close();
        QVERIFY(run.cardWindow()->isVisible());
        QVERIFY(!run.tp.forms.isLoaded(FormName::frmSplash));
    }

    void looksAsDesigned()
    {
        Run run;
        run.tp.forms.load(FormName::frmSplash);
        frmSplash *s = run.splash();
        QVERIFY(s->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(s->windowType(), Qt::SplashScreen);
        QCOMPARE(s->palette().color(QPalette::Window), QColor(255, 192, 128));
        QVERIFY(s->autoFillBackground());

        QVERIFY(!s->Image1->pixmap().isNull());
        QCOMPARE(s->Image1->pixmap().size(), QSize(100, 100));
        QCOMPARE(s->Image1->size(), QSize(100, 100));

        struct Expected
        {
            QLabel *label;
            const char *name;
            QString text;
            qreal points;
        };
        const Expected labels[] = {
            {s->Label1, "Label1", QStringLiteral("VELMORA"), 24},
            {s->Label3, "Label3", QStringLiteral("Bibliography"), 13.5},
            {s->Label4, "Label4", QStringLiteral("v. 3.0"), 13.5},
            {s->Label2, "Label2", s->Label2->text(), 9.75},
        };
        for (const Expected &e : labels) {
            QCOMPARE(e.label->objectName(), QString::fromLatin1(e.name));
            QCOMPARE(e.label->text(), e.text);
            QCOMPARE(e.label->font().pointSizeF(), e.points);
            QVERIFY(e.label->font().bold());
            QVERIFY(e.label->isVisible());
        }
        QVERIFY(!s->Label2->text().isEmpty());
        QCOMPARE(s->Label1->font().styleHint(), QFont::Serif);
        QVERIFY(s->Label1->font().families().contains(QStringLiteral("Times New Roman")));

        const QRect screen = s->screen()->availableGeometry();
        QVERIFY(qAbs(s->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(s->frameGeometry().center().y() - screen.center().y()) <= 1);
    }
};

QTEST_MAIN(SplashTest)
#include "tst_splash.moc"
