// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

namespace velmora {

// A window that must let go of what it holds (its card file) the moment it is
// unloaded, not later when Qt gets round to destroying it.
class Form
{
public:
    virtual ~Form() = default;
    virtual void Form_Unload() {}
};

// The program's windows. Typed, so that a misspelt window does not compile.
enum class FormName { frmSplash, frmTervani, frmMulti, frmAbout, frmHelp };
constexpr int FormCount = 5;

// The program's windows by name, like a forms collection: a window is loaded (created,
// its load step run), shown, and unloaded (closed and destroyed). A factory creates a
// window and runs its load step; a factory that throws leaves nothing loaded.
class Forms
{
public:
    using Factory = std::function<QWidget *()>;

    void registerForm(FormName name, Factory factory);

    // An already loaded window is returned as it is. A window that no factory was
    // registered for is a fault of the program: it throws std::logic_error, in every build.
    QWidget *load(FormName name);
    void show(FormName name); // loads it first when needed; does not wait
    void unload(FormName name);
    bool isLoaded(FormName name) const;
    QWidget *form(FormName name) const;

    template<typename T> T *form(FormName name) const { return qobject_cast<T *>(form(name)); }

    // Ends the program at once: every window closes without further events.
    void endProgram();
    // What ending does; the application quits its event loop with status 0.
    std::function<void()> onEnd;

private:
    std::array<Factory, FormCount> m_factories;
    std::array<QPointer<QWidget>, FormCount> m_loaded;
};

} // namespace velmora
