// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmmulti.h"

#include "captions.h"
#include "cardfileerror.h"
#include "keypositions.h"
#include "numbertext.h"
#include "pageview.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>

namespace velmora {

frmMulti::frmMulti(Platform &platform, Forms &forms) : MainWindow(platform, forms, 5)
{
    setObjectName(QStringLiteral("frmMulti"));
    setWindowTitle(PlainTitle);

    page = new PageView(this);
    page->setObjectName(QStringLiteral("page"));
    page->setAccessibleName(QStringLiteral("Καρτέλλες"));
    setCentralWidget(page);

    createMenus();
    createStatusBar();

    installKeyMap();

    adjustSize();
    // Wide enough at first for the longest notice of the message panel.
    const int notice = fontMetrics().horizontalAdvance(exportNotice(9999999));
    resize(qMax(width(), notice + 12 * fontMetrics().averageCharWidth() + 100), height());
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

frmMulti::~frmMulti() = default;

void frmMulti::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setSizeGripEnabled(true);
    const int narrow = 3 * fontMetrics().averageCharWidth() + 6;
    const int caps = fontMetrics().horizontalAdvance(QStringLiteral("CAPS")) + 12;
    for (int i = 1; i <= StatusBar1.count(); ++i) {
        QLabel *panel = StatusBar1.panel(i);
        if (i == StatusPanels::MessagePanel) {
            panel->setMinimumWidth(caps);
            bar->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(i == CapsPanel ? caps : narrow);
            bar->addWidget(panel);
        }
    }
    StatusBar1.panel(CapsPanel)->setAlignment(Qt::AlignCenter);
    updateCapsPanel();
}

void frmMulti::Form_Load()
{
    // The card window goes first, without a question, so that only one window holds the
    // card file at a time.
    m_forms.unload(FormName::frmTervani);

    openCardFile();

    // A folder that cannot be created, or that is not the user's alone, is left to the
    // export, which then says that the page was not saved.
    for (const QString &folder : {m_platform.paths.programFiles(), m_platform.paths.dataFolder()})
        (void)m_platform.files.createFolder(folder);

    mnuPrint->setEnabled(false);
    mnuExport->setEnabled(false);
    updateCapsPanel();
}

frmMulti::Slot frmMulti::slotLines(const CardRecord &card, qint32 cardNumber)
{
    const QString gap = QStringLiteral("  ");
    return {card.field(Field::Isbn) + gap + card.field(Field::Author) + gap + card.field(Field::OtherName),
            card.field(Field::Title),
            card.field(Field::Publication) + gap + card.field(Field::PagesNotes) + gap +
                QStringLiteral("Καρτέλλα =") + NumberText(cardNumber)};
}

void frmMulti::ShowCR()
{
    // The page has eight slots and no more; the scans empty it before a ninth card.
    if (SlotCount >= SlotsPerPage)
        return;
    Card = orEnd(File.read(CurrentCard));
    ++SlotCount;
    PageLines[SlotCount - 1] = slotLines(Card, CurrentCard);

    constexpr int TextStart = 2;
    page->setCurrentX(TextStart);
    page->print(Card.field(Field::Isbn), false);
    page->tab(26);
    page->print(Card.field(Field::Author), false);
    page->tab(60);
    page->print(Card.field(Field::OtherName), false);
    page->tab(98);
    page->print(QStringLiteral("Καρτέλλα = "), false);
    page->printNumber(CurrentCard, true);

    page->setCurrentX(TextStart);
    page->print(Card.field(Field::Title));

    page->setCurrentX(TextStart);
    page->print(Card.field(Field::Publication), false);
    page->tab(90);
    page->print(Card.field(Field::PagesNotes));

    page->print(QString(110, u'_'));

    showCardCaption();
}

void frmMulti::showCA()
{
    m_caption.set(PlainTitle);
}

void frmMulti::ClearArrays()
{
    for (Slot &slot : PageLines)
        slot.fill(QString());
    SlotCount = 0;
}

void frmMulti::updateCapsPanel()
{
    StatusBar1.showLight(CapsPanel, QStringLiteral("CAPS"), m_platform.keyboard,
                         KeyboardState::Light::CapsLock);
}

void frmMulti::installKeyMap()
{
    // The letters are key positions, whatever the layout, each with its one modifier
    // alone. Each key triggers its menu entry, so that a key, the entry and the entry's own
    // shortcut all run the same handler once. The window takes every key itself, before
    // any child; a key held down starts nothing twice.
    KeyMap map({
        {Qt::Key_I, AltBit, [this] { mnuEpo->trigger(); }},
        {Qt::Key_S, AltBit, [this] { mnuOno->trigger(); }},
        {Qt::Key_T, AltBit, [this] { mnuTitlos->trigger(); }},
        {Qt::Key_L, AltBit, [this] { mnuAlloi->trigger(); }},
        {Qt::Key_O, AltBit, [this] { mnuEkdot->trigger(); }},
        {Qt::Key_X, AltBit, [this] { mnuExit->trigger(); }},
        {Qt::Key_A, CtrlBit, [this] { mnuTelos->trigger(); }},
    });
    installKeys(std::move(map), false, [this] { updateCapsPanel(); });
}

} // namespace velmora
