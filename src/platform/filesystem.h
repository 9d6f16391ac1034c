#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmora {

// Text files and folders, as the exploration window uses them. Every operation reports
// whether it succeeded; the callers decide what a failure means.
class FileSystem
{
public:
    virtual ~FileSystem() = default;
    virtual bool exists(const QString &path) = 0; // a file or a folder
    virtual bool createFolder(const QString &path) = 0;
    virtual bool removeFile(const QString &path) = 0; // a missing file is no error
    virtual bool createEmpty(const QString &path) = 0; // an existing file is emptied
    // Appends each line followed by CR LF. The lines are already in the file's encoding.
    virtual bool appendLines(const QString &path, const QList<QByteArray> &lines) = 0;
};

// Where the program's fixed Windows locations live on this system.
class Paths
{
public:
    virtual ~Paths() = default;
    virtual QString cardFile() = 0;      // "Filis.dat" in the working folder
    virtual QString programFiles() = 0;  // "C:\Program Files"
    virtual QString exportFolder() = 0;  // "C:\Program Files\Velmora"
    virtual QString exportFile() = 0;    // "C:\Program Files\Velmora\MySearch.doc"
};

// What the user is told the export file is called, whatever it maps to.
inline QString exportFileShownName()
{
    return QStringLiteral("C:\\Program Files\\Velmora\\MySearch.doc");
}

class KeyboardState
{
public:
    virtual ~KeyboardState() = default;
    // False when the platform does not report the state.
    virtual bool capsLock() = 0;
    virtual bool numLock() = 0;
};

} // namespace velmora
