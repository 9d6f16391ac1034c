#include "xdgpaths.h"

#include <QDir>
#include <QStandardPaths>

namespace velmora {

QString XdgPaths::cardFile()
{
    return QDir::current().filePath(QStringLiteral("Filis.dat"));
}

QString XdgPaths::programFiles()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString XdgPaths::exportFolder()
{
    return programFiles() + QStringLiteral("/Velmora");
}

QString XdgPaths::exportFile()
{
    return exportFolder() + QStringLiteral("/MySearch.doc");
}

} // namespace velmora
