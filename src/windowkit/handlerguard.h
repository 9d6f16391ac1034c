// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace velmora {

class CardFileError;

// What a card file failure caught in a handler leads to; set once at start-up. Until it
// is set, the failure is written to the standard error and the program ends.
void setHandlerFailureReporter(std::function<void(const CardFileError &)> reporter);

// Runs one of a window's handlers. Qt does not support exceptions thrown through its
// signal and event dispatch, so every button, menu entry, key, timer and window event
// handler is connected through here and nothing thrown leaves it: a card file failure
// goes to the reporter (once: a failure while one is being reported adds nothing), and
// anything else is a programming fault that ends the program with its text on the
// standard error.
void runGuarded(const std::function<void()> &handler) noexcept;

// A handler wrapped for connect() or a timer.
template<typename Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)] { runGuarded(handler); };
}

} // namespace velmora
