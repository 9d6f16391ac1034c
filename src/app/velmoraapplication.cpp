#include "velmoraapplication.h"

#include "cardfile.h"
#include "cardfilefailure.h"

#include <cstdio>

namespace velmora {

VelmoraApplication::VelmoraApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool VelmoraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const CardFileError &error) {
        // While the first failure is being reported, a second one (from an event that the
        // message box lets through) adds nothing: the program is ending anyway.
        if (m_failing)
            return true;
        m_failing = true;
        if (onCardFileError) {
            onCardFileError(error);
        } else {
            std::fprintf(stderr, "%s\n", qPrintable(error.message()));
            leaveAfterFailure(CardFileFailureStatus);
        }
        m_failing = false;
        return true;
    }
}

} // namespace velmora
