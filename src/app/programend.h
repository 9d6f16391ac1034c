// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QCoreApplication>
#include <QObject>

#include <functional>

class QSocketNotifier;

namespace velmora {

class Forms;

// What a logout needs of the desktop's session manager: a small face of QSessionManager,
// which only a real session can make, so that what the program decides can be tried.
class SessionEnd
{
public:
    virtual ~SessionEnd() = default;
    // Waits for the manager's leave to ask the keeper; false: the program may not ask.
    virtual bool allowsInteraction() = 0;
    // Gives the leave back once the keeper has answered.
    virtual void release() = 0;
    // The logout does not go on.
    virtual void cancel() = 0;
};

// A logout with a card typed and not filed: the unsaved-changes question where the manager
// lets the program ask, the typing kept where it does not; Cancel cancels the logout.
void endSession(Forms &forms, SessionEnd &session);

// A limit on the size of files (ulimit -f) otherwise ends the program in the middle of a
// write: ignored, the write fails with EFBIG, is undone and told like any other failure.
void ignoreFileSizeSignal();

// The ways the program is ended without its windows being closed, made safe for a card
// typed and not yet filed. SIGTERM (a shutdown, kill), SIGHUP (the terminal gone) and
// SIGINT (Ctrl+C) keep the typing in the recovery file and end the event loop with 128
// plus the signal's number. A session manager's logout asks the unsaved-changes question
// where it lets the program ask, and keeps the typing where it does not; Cancel cancels
// the logout. One object at a time; the signals' earlier handling comes back with its end.
class ProgramEnd : public QObject
{
    Q_OBJECT

public:
    // `end` ends the event loop with the status given (tests end their own loop instead).
    explicit ProgramEnd(Forms &forms, std::function<void(int)> end = &QCoreApplication::exit);
    ~ProgramEnd() override;

private:
    void signalled();

    Forms &m_forms;
    std::function<void(int)> m_end;
    // The handler only writes the signal's number into the pipe (all it may safely do);
    // the event loop reads it and does the rest.
    FileDescriptor m_readEnd, m_writeEnd;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace velmora
