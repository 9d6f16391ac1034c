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
        tp.forms.registerForm(QStringLiteral("frmTervani"), [this] {
            ++cardWindowLoads;
            auto *w = new QWidget;
            w->setObjectName(QStringLiteral("frmTervani"));
            return w;
        });
        tp.forms.registerForm(QStringLiteral("frmMulti"), [this] {
            auto *w = new frmMulti(tp.platform());
            w->Form_Load();
            return w;
        });
        for (const char *name : {"frmHelp", "frmAbout"})
            tp.forms.registerForm(QLatin1String(name), [] { return new QWidget; });
    }

    ~MultiWindow()
    {
        for (const char *name : {"frmMulti", "frmTervani", "frmHelp", "frmAbout"})
            delete tp.forms.form(QLatin1String(name));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The card window first, then the exploration window in its place, as its button does.
    frmMulti *open()
    {
        tp.forms.show(QStringLiteral("frmTervani"));
        tp.forms.load(QStringLiteral("frmMulti"));
        return tp.forms.form<frmMulti>(QStringLiteral("frmMulti"));
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
