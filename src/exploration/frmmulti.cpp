#include "frmmulti.h"

#include "keycodes.h"
#include "numbertext.h"
#include "pageview.h"
#include "platform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace velmora {

namespace {

const QString PlainTitle = QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη");

} // namespace

frmMulti::frmMulti(Platform &platform, QWidget *parent)
    : QMainWindow(parent), m_platform(platform), m_progress([this] { pushScanCaption(); })
{
    setObjectName(QStringLiteral("frmMulti"));
    setWindowTitle(PlainTitle);

    page = new PageView(this);
    page->setObjectName(QStringLiteral("page"));
    page->setAccessibleName(QStringLiteral("Καρτέλλες"));
    setCentralWidget(page);

    createMenus();
    createStatusBar();

    // The window takes every key itself, before any child: see Form_KeyDown.
    qApp->installEventFilter(this);

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
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setToolTip(QStringLiteral("Χώρος Μηνυμάτων Προγράμματος"));
    bar->setSizeGripEnabled(true);
    const int narrow = 3 * fontMetrics().averageCharWidth() + 6;
    const int caps = fontMetrics().horizontalAdvance(QStringLiteral("CAPS")) + 12;
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 1) {
            panel->setMinimumWidth(caps);
            bar->addWidget(panel, 1);
        } else {
            panel->setFixedWidth(i == 3 ? caps : narrow);
            bar->addWidget(panel);
        }
        StatusBar1Panels[i] = panel;
    }
    StatusBar1Panels[3]->setText(QStringLiteral("CAPS"));
    StatusBar1Panels[3]->setAlignment(Qt::AlignCenter);
    updateCapsPanel();
}

void frmMulti::Form_Load()
{
    // The card window goes first, without a question, so that only one window holds the
    // card file at a time.
    m_platform.forms.unload(FormName::frmTervani);

    RecordLength = velmora::RecordLength;
    File.open(m_platform.paths.cardFile());
    CurrentCard = 1;
    CardCount = File.cardCount();

    // A folder that cannot be created is left to the export, which then fails quietly.
    for (const QString &folder : {m_platform.paths.programFiles(), m_platform.paths.exportFolder()})
        if (!m_platform.files.exists(folder))
            m_platform.files.createFolder(folder);

    mnuPrint->setEnabled(false);
    mnuExport->setEnabled(false);
    updateCapsPanel();
}

void frmMulti::Form_Unload()
{
    File.close();
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
    Card = File.read(CurrentCard);
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

    setCaption(PlainTitle + QStringLiteral(" - Καρτέλλα: ") + NumberText(CurrentCard) +
               QStringLiteral("  από ") + NumberText(CardCount));
}

void frmMulti::ShowSRN()
{
    m_scanCaptionDue = true;
    m_progress.tick(SearchCard);
}

void frmMulti::flushCaption()
{
    m_progress.pushNow();
}

void frmMulti::pushScanCaption()
{
    if (!m_scanCaptionDue)
        return;
    m_scanCaptionDue = false;
    setWindowTitle(PlainTitle + QStringLiteral(" - Διερευνώ Καρτέλλα: ") + NumberText(SearchCard) +
                   QStringLiteral("  από ") + NumberText(CardCount));
}

void frmMulti::showCA()
{
    setCaption(PlainTitle);
}

void frmMulti::setCaption(const QString &caption)
{
    // A scan caption still due would otherwise overwrite this one at the next push.
    m_scanCaptionDue = false;
    setWindowTitle(caption);
}

void frmMulti::ClearArrays()
{
    for (Slot &slot : PageLines)
        slot.fill(QString());
    SlotCount = 0;
}

QString frmMulti::statusText() const
{
    return StatusBar1Panels[1]->text();
}

void frmMulti::setStatusText(const QString &text)
{
    StatusBar1Panels[1]->setText(text);
}

void frmMulti::updateCapsPanel()
{
    StatusBar1Panels[3]->setEnabled(m_platform.keyboard.capsLock());
}

bool frmMulti::Form_KeyDown(int keyCode, int shift)
{
    // Each key triggers its menu entry, so that a key, the entry and the entry's own
    // shortcut all run the same handler once.
    constexpr int AltAlone = 4, CtrlAlone = 2;
    QAction *action = nullptr;
    if (shift == AltAlone) {
        switch (keyCode) {
        case Qt::Key_I:
            action = mnuEpo;
            break;
        case Qt::Key_S:
            action = mnuOno;
            break;
        case Qt::Key_T:
            action = mnuTitlos;
            break;
        case Qt::Key_L:
            action = mnuAlloi;
            break;
        case Qt::Key_O:
            action = mnuEkdot;
            break;
        case Qt::Key_X:
            action = mnuExit;
            break;
        default:
            break;
        }
    } else if (shift == CtrlAlone && keyCode == Qt::Key_A) {
        action = mnuTelos;
    }
    if (!action)
        return false;
    action->trigger();
    return true;
}

bool frmMulti::eventFilter(QObject *watched, QEvent *event)
{
    // Installed on the application: it sees a key before whatever has the focus here. A
    // key that reaches a shortcut (Ctrl+A of "Ανά καρτέλλα") arrives here only when the
    // shortcut did not take it, so one press never runs a command twice.
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->window() == this) {
        updateCapsPanel();
        auto *key = static_cast<QKeyEvent *>(event);
        if (type == QEvent::KeyPress && !key->isAutoRepeat() &&
            !(key->modifiers() & (Qt::MetaModifier | Qt::KeypadModifier))) {
            if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::NoModifier) {
                openMenuBar();
                return true;
            }
            if (Form_KeyDown(keyCodeOf(*key), shiftMaskOf(key->modifiers())))
                return true;
        }
    } else if (type == QEvent::WindowActivate && watched == this) {
        updateCapsPanel();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMulti::openMenuBar()
{
    const QList<QAction *> menus = menuBar()->actions();
    if (!menus.isEmpty())
        menuBar()->setActiveAction(menus.first());
}

} // namespace velmora
