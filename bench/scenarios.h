// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "benchplatform.h"
#include "frmmulti.h"
#include "frmtervani.h"

#include <QList>

#include <functional>
#include <memory>

namespace velmora::bench {

// Shows `window` and waits until the window system has it on the screen.
void showAndWait(QWidget &window);

// The card window on the benchmark's card file, loaded and shown, and its searches run
// through the real handlers. Each search checks that it ended as the file says it must,
// and throws std::runtime_error otherwise: a wrong result must not pass for a fast one.
class CardWindowBench
{
public:
    explicit CardWindowBench(BenchPlatform &platform);
    ~CardWindowBench();

    frmTervani &window() { return *m_window; }

    // Each runs once and returns its time in milliseconds.
    // A full scan for a title text no card holds.
    double titleSearchNoMatch();
    // The ISBN prefix that `matches` cards hold, each print question answered No.
    double isbnPrefixSearch(qint64 matches);
    // A common author with a title text no card holds: both fields tested on every card.
    double authorTitleSearchNoMatch();

private:
    BenchPlatform &m_platform;
    CardWindowSession m_session;
    std::unique_ptr<frmTervani> m_window;
};

// The exploration window on the benchmark's card file, loaded and shown.
class ExplorationBench
{
public:
    explicit ExplorationBench(BenchPlatform &platform);
    ~ExplorationBench();

    // The title exploration for the planted marker, `matches` cards in all, every page
    // question and the final one answered No so that every page is exported. Runs once and
    // returns its time in milliseconds.
    double exploreTitles(qint64 matches);

private:
    BenchPlatform &m_platform;
    std::unique_ptr<frmMulti> m_window;
};

// From nothing to card 1 on the screen: the card window created, loaded and shown.
double startCardWindow(BenchPlatform &platform);

} // namespace velmora::bench
