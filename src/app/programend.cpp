// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programend.h"

#include "forms.h"
#include "frmtervani.h"
#include "handlerguard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr int EndingSignals[] = {SIGTERM, SIGHUP, SIGINT};

volatile std::sig_atomic_t signalPipe = -1;
struct sigaction savedActions[std::size(EndingSignals)];

extern "C" void onEndingSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // A full pipe already holds a signal that ends the program: nothing is lost.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe, &byte, 1);
    errno = savedErrno;
}

class QtSessionEnd : public SessionEnd
{
public:
    explicit QtSessionEnd(QSessionManager &manager) : m_manager(manager) {}
    bool allowsInteraction() override { return m_manager.allowsInteraction(); }
    void release() override { m_manager.release(); }
    void cancel() override { m_manager.cancel(); }

private:
    QSessionManager &m_manager;
};

} // namespace

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

ProgramEnd::ProgramEnd(Forms &forms, std::function<void(int)> end) : m_forms(forms), m_end(std::move(end))
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals then end the program as they always did
    m_readEnd = FileDescriptor(ends[0]);
    m_writeEnd = FileDescriptor(ends[1]);
    signalPipe = m_writeEnd.get();
    m_notifier = new QSocketNotifier(m_readEnd.get(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, guarded([this] { signalled(); }));
    struct sigaction action
    {
    };
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(EndingSignals); ++i)
        ::sigaction(EndingSignals[i], &action, &savedActions[i]);

    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
            runGuarded([&] {
                QtSessionEnd session(manager);
                endSession(m_forms, session);
            });
        });
}

ProgramEnd::~ProgramEnd()
{
    if (!m_writeEnd)
        return;
    for (size_t i = 0; i < std::size(EndingSignals); ++i)
        ::sigaction(EndingSignals[i], &savedActions[i], nullptr);
    signalPipe = -1;
}

void ProgramEnd::signalled()
{
    unsigned char signalNumber = 0;
    if (::read(m_readEnd.get(), &signalNumber, 1) != 1)
        return;
    if (auto *cards = m_forms.form<frmTervani>(FormName::frmTervani))
        cards->keepTypedCard();
    m_end(128 + signalNumber);
}

void endSession(Forms &forms, SessionEnd &session)
{
    auto *cards = forms.form<frmTervani>(FormName::frmTervani);
    if (!cards)
        return;
    bool asked = false;
    // allowsInteraction() waits for the manager's leave to ask: asked for only when
    // there is something to ask about.
    const bool mayEnd = cards->mayEndSession([&] { return asked = session.allowsInteraction(); });
    if (asked)
        session.release();
    if (!mayEnd)
        session.cancel();
}

} // namespace velmora
