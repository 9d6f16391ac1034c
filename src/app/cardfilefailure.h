// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace velmora {

struct Platform;
class CardFileError;

// The exit status of a program that could not use its card file.
constexpr int CardFileFailureStatus = 1;

// Tells the user, in a modal message titled with the program's title, which file could
// not be used and why.
void reportCardFileError(Platform &platform, const CardFileError &error);

// Ends the process at once with `status`. Used from inside a handler, where the handler
// (and any modal loop around it) would otherwise carry on with a card file it cannot use.
[[noreturn]] void leaveAfterFailure(int status);

} // namespace velmora
