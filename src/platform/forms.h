#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

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

// The program's windows by name, like a forms collection: a window is loaded (created,
// its load step run), shown, and unloaded (closed and destroyed). A factory creates a
// window and runs its load step; a factory that throws leaves nothing loaded.
class Forms
{
public:
    using Factory = std::function<QWidget *()>;

    void registerForm(const QString &name, Factory factory);

    QWidget *load(const QString &name); // an already loaded window is returned as it is
    void show(const QString &name);     // loads it first when needed; does not wait
    void unload(const QString &name);
    bool isLoaded(const QString &name) const;
    QWidget *form(const QString &name) const;

    template<typename T>
    T *form(const QString &name) const { return qobject_cast<T *>(form(name)); }

    // Ends the program at once: every window closes without further events.
    void endProgram();
    // What ending does; the application quits its event loop with status 0.
    std::function<void()> onEnd;

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_loaded;
};

} // namespace velmora
