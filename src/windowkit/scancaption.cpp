// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scancaption.h"

#include <QCoreApplication>
#include <QWidget>

namespace velmora {

ScanCaption::ScanCaption(QWidget *window, std::function<QString()> scanText)
    : m_window(window), m_scanText(std::move(scanText))
{
    m_timer.start();
}

void ScanCaption::flush()
{
    if (m_due)
        push();
    // The caption is exact now, whether it was pushed or set: the next push waits its
    // full interval. An exploration asks about a page every few hundred cards, and a page
    // repainted between its questions costs more than the scan.
    m_timer.restart();
}

void ScanCaption::set(const QString &caption)
{
    m_due = false;
    m_window->setWindowTitle(caption);
}

void ScanCaption::push()
{
    m_due = false;
    m_window->setWindowTitle(m_scanText());
    m_timer.restart();
}

void ScanCaption::pushAndRepaint()
{
    push();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace velmora
