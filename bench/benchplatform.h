// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The platform the benchmark hands the windows: dialogs answered from a script, a printer
// that only counts, the real file system in a folder of the benchmark's own.

#include "forms.h"
#include "localfilesystem.h"
#include "platform.h"

#include <QStringList>

#include <memory>

namespace velmora::bench {

// Answers every question with one fixed answer and every OK box with OK, keeping count.
class ScriptedMessageBox : public MessageBox
{
public:
    Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                Answer defaultButton) override;

    Answer questionAnswer = Answer::No;
    int questions = 0;
    int notices = 0;
    QString lastPrompt;
};

class ScriptedInputBox : public InputBox
{
public:
    QString ask(const QString &title, const QString &prompt) override;
    QStringList answers; // in order; cancelled when none is left
};

class SilentBeeper : public Beeper
{
public:
    void beep() override {}
};

class FixedClock : public Clock
{
public:
    QDate today() override { return {2026, 1, 15}; }
    QTime now() override { return {10, 30}; }
};

class CountingRenderer : public PrintRenderer
{
public:
    bool render(const PrintedDocument &document) override;
    int pages = 0;
};

class NoHelp : public HelpViewer
{
public:
    void showContents(const QString &) override {}
};

class EmptySettingsStore : public SettingsStore
{
public:
    quintptr openKey(quintptr, const QString &, quint32) override { return 0; }
    bool queryValue(quintptr, const QString &, int, QByteArray *, ValueType *) override { return false; }
    void closeKey(quintptr) override {}
};

class NoLauncher : public ProgramLauncher
{
public:
    bool fileExists(const QString &) override { return false; }
    bool start(const QString &) override { return false; }
};

class LocksOff : public KeyboardState
{
public:
    bool isOn(Light) override { return false; }
};

// The card file and the export folders inside `folder`.
class FolderPaths : public Paths
{
public:
    explicit FolderPaths(const QString &folder) : m_folder(folder) {}
    QString cardFile() override { return m_folder + QStringLiteral("/Filis.dat"); }
    QString programFiles() override { return m_folder + QStringLiteral("/share"); }
    QString dataFolder() override { return programFiles() + QStringLiteral("/Velmora"); }
    QString exportFile() override { return dataFolder() + QStringLiteral("/MySearch.doc"); }

private:
    QString m_folder;
};

class BenchPlatform
{
public:
    explicit BenchPlatform(const QString &folder);
    BenchPlatform(const BenchPlatform &) = delete;
    BenchPlatform &operator=(const BenchPlatform &) = delete;

    Platform &platform() { return m_platform; }

    ScriptedMessageBox messages;
    ScriptedInputBox input;
    SilentBeeper beeper;
    FixedClock clock;
    CountingRenderer renderer;
    PrintDocument printer{renderer};
    NoHelp help;
    EmptySettingsStore settings;
    NoLauncher launcher;
    LocalFileSystem files;
    FolderPaths paths;
    LocksOff keyboard;
    Forms forms;

private:
    Platform m_platform;
};

} // namespace velmora::bench
