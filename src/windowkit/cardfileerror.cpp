// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfileerror.h"

namespace velmora {

CardFileError::CardFileError(Failure failure)
    : std::runtime_error(failure.path.toStdString() + ": card file failure"), m_failure(std::move(failure))
{
}

} // namespace velmora
