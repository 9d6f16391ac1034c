// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtplatform.h"

namespace velmora {

QtPlatform::QtPlatform(const QString &cardFile, bool installed)
    : m_paths(cardFile, installed), m_platform{.messages = m_messages,
                                               .input = m_input,
                                               .beeper = m_beeper,
                                               .clock = m_clock,
                                               .printer = m_printer,
                                               .help = m_help,
                                               .settings = m_settings,
                                               .launcher = m_launcher,
                                               .files = m_files,
                                               .paths = m_paths,
                                               .keyboard = m_keyboard}
{
}

} // namespace velmora
