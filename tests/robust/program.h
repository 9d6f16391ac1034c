// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The whole program on the fakes, its windows made by the start-up's own factories, over
// a card file in a temporary folder.

#include "cardeditsession.h"
#include "fakes.h"
#include "frmmulti.h"
#include "frmtervani.h"
#include "startup.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <optional>

namespace velmora::test {

struct Program
{
    TestPlatform tp;
    CardWindowSession session;

    std::optional<CardEditSession> editing;

    Program() { registerForms(tp.platform(), tp.forms, session); }
    // As `velmora --edit` starts: the editing session begins before the first window.
    void edit()
    {
        editing.emplace(tp.paths.dataFolder());
        (void)editing->begin(tp.cardFile()); // a failure leaves the window to read, and say why
        session.editing = &*editing;
    }
    ~Program()
    {
        for (FormName name : {FormName::frmSplash, FormName::frmTervani, FormName::frmMulti,
                              FormName::frmAbout, FormName::frmHelp})
            tp.forms.unload(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Starts as main() does and returns the card window, or null when the start failed.
    frmTervani *start()
    {
        if (!startProgram(tp.platform(), tp.forms))
            return nullptr;
        return cards();
    }
    frmTervani *cards() { return tp.forms.form<frmTervani>(FormName::frmTervani); }
    frmMulti *multi() { return tp.forms.form<frmMulti>(FormName::frmMulti); }

    // The exploration window through the card window's button, and back through its menu.
    frmMulti *toExploration()
    {
        cards()->cmdMulti_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return multi();
    }
    frmTervani *toCards()
    {
        multi()->mnuTelos_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return cards();
    }

    void writeBytes(const QByteArray &bytes)
    {
        QFile f(tp.cardFile());
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    QByteArray exportBytes()
    {
        QFile f(tp.paths.exportFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Every byte value, 0x00 to 0xFF, `times` times over, then `tail` bytes more of it.
inline QByteArray everyByte(int times, int tail = 0)
{
    QByteArray bytes;
    for (int i = 0; i < times * 256 + tail; ++i)
        bytes += char(i % 256);
    return bytes;
}

inline QByteArray recordBytes(const CardRecord &card)
{
    return QByteArray(card.bytes().data(), RecordLength);
}

} // namespace velmora::test
