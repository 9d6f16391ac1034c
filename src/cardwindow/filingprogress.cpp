#include "filingprogress.h"

#include "clock.h"
#include "numbertext.h"
#include "platform.h"

#include <QApplication>
#include <QEvent>
#include <QProgressDialog>

namespace velmora {

namespace {

constexpr qint64 QuietMsecs = 500;
constexpr int Steps = 1000; // bytes may exceed an int's range; a thousandth is fine enough

} // namespace

FilingProgress::FilingProgress(Clock &clock, QWidget *window, qint32 cardNumber)
    : m_clock(clock), m_window(window), m_cardNumber(cardNumber), m_start(clock.monotonicMsecs())
{
}

FilingProgress::~FilingProgress()
{
    if (!m_dialog)
        return;
    // Keys typed during the copy and still queued go now, while they are still eaten.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_dialog.reset();
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

void FilingProgress::report(qint64 done, qint64 total)
{
    if (!m_dialog) {
        if (m_clock.monotonicMsecs() - m_start < QuietMsecs)
            return;
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_dialog = std::make_unique<QProgressDialog>(m_window);
        m_dialog->setObjectName(QStringLiteral("filingProgress"));
        m_dialog->setWindowTitle(AppTitle);
        m_dialog->setLabelText(QStringLiteral("Η Καρτέλλα ") + NumberText(m_cardNumber) +
                               QStringLiteral(" Καταχωρίζεται.\nΠρώτα αντιγράφεται ολόκληρο το αρχείο "
                                              "καρτελλών, για ασφάλεια."));
        m_dialog->setCancelButton(nullptr); // a copy half made is worth nothing
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setRange(0, Steps);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->show();
    }
    m_dialog->setValue(total > 0 ? int(done * Steps / total) : Steps);
    // Drawn now: the filing does not return to the event loop until the copy is over.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool FilingProgress::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken as an ordinary key, which is then eaten, so that no shortcut fires.
        event->accept();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace velmora
