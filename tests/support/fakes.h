// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Fakes of the platform for the window tests: each records what it was asked, in one
// shared log, and answers from a script.

#include "cardrecord.h"
#include "forms.h"
#include "localfilesystem.h"
#include "platform.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>
#include <cerrno>

#include <atomic>
#include <functional>
#include <memory>

namespace velmora::test {

struct MessageCall
{
    QString prompt;
    QString title;
    Buttons buttons;
    Icon icon;
    Answer defaultButton;
};

class FakeMessageBox : public MessageBox
{
public:
    explicit FakeMessageBox(QStringList &log) : m_log(log) {}
    Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                Answer defaultButton) override;

    // Answers in order; with the script empty an OK box answers Ok and any other box
    // answers Cancel, and the call is counted as unscripted.
    QQueue<Answer> answers;
    // Called with every box before it answers (to look at the window at that moment).
    std::function<void(const MessageCall &)> onShow;
    QList<MessageCall> calls;
    int unscripted = 0;

private:
    QStringList &m_log;
};

struct InputCall
{
    QString title;
    QString prompt;
};

class FakeInputBox : public InputBox
{
public:
    explicit FakeInputBox(QStringList &log) : m_log(log) {}
    QString ask(const QString &title, const QString &prompt) override;

    QQueue<QString> answers; // empty text = cancelled; with the script empty, cancelled
    std::function<void(const InputCall &)> onAsk;
    QList<InputCall> calls;

private:
    QStringList &m_log;
};

class FakeBeeper : public Beeper
{
public:
    explicit FakeBeeper(QStringList &log) : m_log(log) {}
    void beep() override
    {
        ++count;
        m_log << QStringLiteral("beep");
    }
    int count = 0;

private:
    QStringList &m_log;
};

class FakeClock : public Clock
{
public:
    QDate today() override { return date; }
    QTime now() override { return time; }
    // Goes on by `tick` each time it is read, after `onRead`: a slow operation in no time.
    // Read on the window's thread; `monotonic` may be moved on from another (a filing's).
    qint64 monotonicMsecs() override
    {
        if (onRead)
            onRead();
        return monotonic += tick;
    }
    QDate date{2026, 12, 6};
    QTime time{9, 5};
    std::atomic<qint64> monotonic = 0;
    qint64 tick = 0;
    std::function<void()> onRead;
};

class RecordingRenderer : public PrintRenderer
{
public:
    explicit RecordingRenderer(QStringList &log) : m_log(log) {}
    bool render(const PrintedDocument &document) override;
    QList<PrintedDocument> documents;
    bool fail = false;

private:
    QStringList &m_log;
};

class FakeHelpViewer : public HelpViewer
{
public:
    explicit FakeHelpViewer(QStringList &log) : m_log(log) {}
    void showContents(const QString &fileName) override;
    QStringList opened;

private:
    QStringList &m_log;
};

// A settings store holding what the test puts in it.
class FakeSettingsStore : public SettingsStore
{
public:
    struct Value
    {
        QByteArray data;
        ValueType type = ValueType::String;
    };
    quintptr openKey(quintptr root, const QString &keyName, quint32 access) override;
    bool queryValue(quintptr key, const QString &valueName, int bufferSize, QByteArray *data,
                    ValueType *type) override;
    void closeKey(quintptr key) override;

    QHash<QString, QHash<QString, Value>> keys; // key path -> value name -> value
    QStringList openKeys;                       // keys currently open
    QList<quint32> accessMasks;
    int closed = 0;
};

class FakeLauncher : public ProgramLauncher
{
public:
    bool fileExists(const QString &path) override { return existing.contains(path); }
    bool start(const QString &program) override
    {
        started << program;
        return startSucceeds;
    }
    QStringList existing;
    QStringList started;
    bool startSucceeds = true;
};

class FakeKeyboard : public KeyboardState
{
public:
    bool reports() override { return reporting; }
    bool isOn(Light light) override { return light == Light::CapsLock ? caps : num; }
    bool reporting = true;
    bool caps = false;
    bool num = false;
};

// A file system that fails every operation that would change something, or reports a
// failure for appending alone.
class FailingFileSystem : public LocalFileSystem
{
public:
    bool failAppend = true;
    bool failCreate = false;
    Result<void> appendLines(const QString &path, const QList<QByteArray> &lines) override
    {
        if (failAppend)
            return systemFailure(ENOSPC, path);
        return LocalFileSystem::appendLines(path, lines);
    }
    Result<void> createEmpty(const QString &path) override
    {
        if (failCreate)
            return systemFailure(ENOSPC, path);
        return LocalFileSystem::createEmpty(path);
    }
};

// Paths inside a temporary folder: the card file in it, the export folders below it.
class TempPaths : public Paths
{
public:
    explicit TempPaths(const QString &root) : m_root(root) {}
    QString cardFile() override { return m_root + QStringLiteral("/Filis.dat"); }
    QString programFiles() override { return m_root + QStringLiteral("/share"); }
    QString dataFolder() override { return programFiles() + QStringLiteral("/Velmora"); }
    QString exportFile() override { return dataFolder() + QStringLiteral("/MySearch.doc"); }

private:
    QString m_root;
};

// A card with the given fields, each left-justified in its width.
CardRecord card(const QString &isbn, const QString &author = {}, const QString &title = {},
                const QString &otherName = {}, const QString &publication = {},
                const QString &pagesNotes = {});

// Every fake together, in a fresh temporary folder, and the Platform made of them.
class TestPlatform
{
public:
    // The card file and the export folders in `root`, or in a fresh temporary folder.
    explicit TestPlatform(const QString &root = QString());
    ~TestPlatform();

    QStringList log;
    QTemporaryDir dir;
    FakeMessageBox messages{log};
    FakeInputBox input{log};
    FakeBeeper beeper{log};
    FakeClock clock;
    RecordingRenderer renderer{log};
    PrintDocument printer{renderer};
    FakeHelpViewer help{log};
    FakeSettingsStore settings;
    FakeLauncher launcher;
    FailingFileSystem files; // failAppend is switched off by default
    TempPaths paths;
    FakeKeyboard keyboard;
    Forms forms;
    int programEnded = 0;

    Platform &platform() { return *m_platform; }

    QString cardFile() { return paths.cardFile(); }
    // Writes a card file of the given cards (and any raw tail bytes).
    void writeCards(const QList<CardRecord> &cards, const QByteArray &tail = {});
    QByteArray cardFileBytes();

private:
    std::unique_ptr<Platform> m_platform;
};

} // namespace velmora::test
