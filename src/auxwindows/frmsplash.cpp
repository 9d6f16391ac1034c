// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmsplash.h"

#include "handlerguard.h"

#include "auxlook.h"
#include "platform.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmSplash::frmSplash(Platform &platform, Forms &forms, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_platform(platform), m_forms(forms)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AppTitle);
    setBackground(this, LightOrange);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(TitlePicturePath));
    Image1->setFixedSize(100, 100);

    Label1 = makeLabel(this, "Label1", QStringLiteral("VELMORA"), boldSerifFont(24));
    Label2 = makeLabel(this, "Label2", QStringLiteral("© 2026 Velmora"), boldSansFont(9.75));
    Label3 = makeLabel(this, "Label3", QStringLiteral("Bibliography"), boldSansFont(13.5));
    Label4 = makeLabel(this, "Label4", QStringLiteral("v. 3.0"), boldSansFont(13.5));

    auto *titles = new QVBoxLayout;
    titles->addStretch();
    titles->addWidget(Label1);
    titles->addWidget(Label3);
    titles->addWidget(Label4);
    titles->addStretch();

    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignVCenter);
    top->addSpacing(24);
    top->addLayout(titles, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->addLayout(top);
    layout->addSpacing(16);
    layout->addWidget(Label2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The timer comes with the window and counts from its creation, so the splash stays
    // up for the interval or for the card window's load, whichever is longer.
    tmrSplash = new QTimer(this);
    tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    tmrSplash->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the splash stays its full three seconds.
    tmrSplash->setTimerType(Qt::PreciseTimer);
    tmrSplash->setInterval(SplashInterval);
    connect(tmrSplash, &QTimer::timeout, this, guarded([this] { tmrSplash_Timer(); }));
    tmrSplash->start();
}

frmSplash::~frmSplash() = default;

void frmSplash::Form_Load()
{
    centreOnScreen();
    show();
    raise();
    // Loading a card window that is already loaded does nothing: the splash shown again
    // from the card window leaves the card window and its current card alone.
    m_forms.load(FormName::frmTervani);
}

void frmSplash::tmrSplash_Timer()
{
    if (m_ticked)
        return;
    m_ticked = true;
    tmrSplash->stop();
    m_forms.unload(FormName::frmSplash);
    // Shown again from the card window, the splash may outlive it: the user can have gone
    // on to the exploration window meanwhile, and only one of the two may be loaded.
    if (!m_forms.isLoaded(FormName::frmMulti))
        m_forms.show(FormName::frmTervani);
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    // A splash closed by the window manager before its time must not leave the program
    // running with no window on screen: it ends the splash early instead.
    if (m_ticked)
        return;
    event->ignore();
    runGuarded([this] { tmrSplash_Timer(); });
}

void frmSplash::centreOnScreen()
{
    adjustSize();
    if (QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace velmora
