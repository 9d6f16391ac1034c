// velmora-cards: Velmora's card file from the command line.

#include "command.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cards"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    velmora::cards::Console console{out, err};
    return velmora::cards::runCardTool(QCoreApplication::arguments().mid(1), console);
}
