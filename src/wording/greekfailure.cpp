// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "greekfailure.h"

#include "failurewords.h"

namespace velmora {

QString greekText(const Failure &failure)
{
    return failureText(failure, Language::Greek);
}

QString greekClause(const Failure &failure)
{
    return failureClause(failure, Language::Greek);
}

QString cardFileErrorText(const Failure &failure)
{
    return failureWords(QT_TRANSLATE_NOOP("Failure", "The card file «%1» cannot be used.\n%2"),
                        Language::Greek)
        .arg(failure.path, greekText(failure));
}

} // namespace velmora
