// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filingprogress.h"

#include "clock.h"
#include "platform.h"

#include <QApplication>
#include <QEvent>
#include <QProgressDialog>

#include <exception>
#include <optional>
#include <thread>

namespace velmora {

namespace {

constexpr qint64 QuietMsecs = 500;
constexpr int Steps = 1000; // bytes may exceed an int's range; a thousandth is fine enough

} // namespace

FilingProgress::FilingProgress(Clock &clock, QWidget *window, QString label)
    : m_clock(clock), m_window(window), m_label(std::move(label)), m_start(clock.monotonicMsecs())
{
    m_halfSecond.setSingleShot(true);
    connect(&m_halfSecond, &QTimer::timeout, this, [this] { look(); });
}

FilingProgress::~FilingProgress()
{
    if (m_dialog) {
        // Keys typed during the filing and still queued go now, while they are still eaten.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        m_dialog.reset();
        QApplication::restoreOverrideCursor();
    }
    qApp->removeEventFilter(this);
}

Result<void> FilingProgress::run(const std::function<Result<void>(const BackupProgress &)> &filing)
{
    const BackupProgress report = [this](qint64 done, qint64 total) {
        m_copied.store(total > 0 ? int(done * Steps / total) : Steps);
        if (!m_lookAsked.exchange(true))
            QMetaObject::invokeMethod(
                this,
                [this] {
                    m_lookAsked.store(false);
                    look();
                },
                Qt::QueuedConnection);
    };
    std::optional<Result<void>> filed;
    std::exception_ptr thrown;
    std::atomic<bool> over{false};
    std::thread filer([&] {
        try {
            filed = filing(report);
        } catch (...) {
            thrown = std::current_exception();
        }
        over.store(true);
        QMetaObject::invokeMethod(
            this, [] {}, Qt::QueuedConnection); // wakes the wait below
    });
    qApp->installEventFilter(this);
    m_halfSecond.start(int(QuietMsecs));
    // Not a QEventLoop: QCoreApplication::exit() (a signal ending the program) ends every
    // one at once, and the window must not go on while the filing still runs.
    while (!over.load())
        QCoreApplication::processEvents(
            (m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents) |
            QEventLoop::WaitForMoreEvents);
    filer.join();
    m_halfSecond.stop();
    if (thrown)
        std::rethrow_exception(thrown);
    return std::move(*filed);
}

void FilingProgress::look()
{
    if (!m_dialog) {
        const qint64 waited = m_clock.monotonicMsecs() - m_start;
        if (waited < QuietMsecs) {
            m_halfSecond.start(int(QuietMsecs - waited));
            return;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_dialog = std::make_unique<QProgressDialog>(m_window);
        m_dialog->setObjectName(QStringLiteral("filingProgress"));
        m_dialog->setWindowTitle(AppTitle);
        m_dialog->setLabelText(m_label);
        m_dialog->setCancelButton(nullptr); // a filing half made is worth nothing
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setRange(0, 0); // busy, until a copy tells how far it is
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->show();
    }
    if (const int copied = m_copied.load(); copied >= 0) {
        m_dialog->setRange(0, Steps);
        m_dialog->setValue(copied);
    }
}

bool FilingProgress::eventFilter(QObject *watched, QEvent *event)
{
    // A close is no input the quiet wait holds back, and leaving the card would read the
    // file the filing writes: refused from the start.
    if (!m_dialog && event->type() != QEvent::Close)
        return QObject::eventFilter(watched, event);
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
        return true;
    case QEvent::Close:
        event->ignore(); // made accepted, a close eaten would close the window all the same
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace velmora
