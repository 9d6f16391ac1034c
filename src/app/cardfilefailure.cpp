// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfilefailure.h"

#include "cardfileerror.h"
#include "greekfailure.h"
#include "platform.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {

void reportCardFileError(Platform &platform, const CardFileError &error)
{
    platform.messages.show(cardFileErrorText(error.failure()), AppTitle, Buttons::Ok, Icon::Exclamation);
}

void leaveAfterFailure(int status)
{
    // Nothing may run after this point: no handler resumes, no window draws again, no
    // destructor touches the card file. The system closes the file and the display.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace velmora
