#include "qtplatform.h"

namespace velmora {

QtPlatform::QtPlatform(const QString &cardFile)
    : m_paths(cardFile)
    , m_platform{m_messages, m_input,    m_beeper, m_clock, m_printer,  m_help,
                 m_settings, m_launcher, m_files,  m_paths, m_keyboard, m_forms}
{
}

} // namespace velmora
