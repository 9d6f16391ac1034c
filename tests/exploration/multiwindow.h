// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The exploration window as the program loads it: through the forms collection, after a
// card window that it unloads, over a card file in a temporary folder.

#include "fakes.h"
#include "frmmulti.h"

#include <QCoreApplication>
#include <QFile>
#include <QWidget>

namespace velmora::test {

struct MultiWindow
{
    TestPlatform tp;
    int cardWindowLoads = 0;

    MultiWindow()
    {
        tp.forms.registerForm(FormName::frmTervani, [this] {
            ++cardWindowLoads;
            auto *w = new QWidget;
            w->setObjectName(QStringLiteral("frmTervani"));
            return w;
        });
        tp.forms.registerForm(FormName::frmMulti, [this] {
            auto *w = new frmMulti(tp.platform(), tp.forms);
            w->Form_Load();
            return w;
        });
        for (FormName name : {FormName::frmHelp, FormName::frmAbout})
            tp.forms.registerForm(name, [] { return new QWidget; });
    }

    ~MultiWindow()
    {
        for (FormName name :
             {FormName::frmMulti, FormName::frmTervani, FormName::frmHelp, FormName::frmAbout})
            delete tp.forms.form(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The card window first, then the exploration window in its place, as its button does.
    frmMulti *open()
    {
        tp.forms.show(FormName::frmTervani);
        tp.forms.load(FormName::frmMulti);
        return tp.forms.form<frmMulti>(FormName::frmMulti);
    }

    QByteArray exportBytes()
    {
        QFile f(tp.paths.exportFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// A field's text at its full width.
inline QString padded(const QString &text, int width)
{
    return text.leftJustified(width, u' ', true);
}

} // namespace velmora::test
