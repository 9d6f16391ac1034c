// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardbackup.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>

class QProgressDialog;
class QWidget;

namespace velmora {

class Clock;

// What the card window shows while a filing takes long: the backup before a session's
// first write over a large file or a slow medium, or a sync that the medium holds up.
// A sync cannot tell how far it is, so the filing runs on a thread of its own while the
// window waits for it. Until half a second has gone nothing is shown, so that an ordinary
// filing does not flicker, and no key or click is handled: they wait, and act once the
// filing is over, as after any short handler. After it, the busy cursor and a window
// naming the card being filed, with how far the copy is; from then until the filing is
// over no key, click or close reaches any window: a key typed into the wait would
// otherwise act on the card, or start a second filing, as soon as the first one returns.
class FilingProgress : public QObject
{
public:
    // `label`: what the window says.
    FilingProgress(Clock &clock, QWidget *window, QString label);
    ~FilingProgress() override;

    // Runs `filing` on a thread of its own, which alone touches what it files into until
    // it ends, handing it the report for the copy's progress, and waits for it. Whatever
    // `filing` throws is thrown here, on the window's thread.
    Result<void> run(const std::function<Result<void>(const BackupProgress &)> &filing);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void look();

    Clock &m_clock;
    QWidget *m_window;
    QString m_label;
    qint64 m_start;
    QTimer m_halfSecond;
    std::unique_ptr<QProgressDialog> m_dialog;
    std::atomic<int> m_copied{-1};        // in thousandths; below 0 while nothing is told
    std::atomic<bool> m_lookAsked{false}; // a look at the progress is on its way
};

} // namespace velmora
