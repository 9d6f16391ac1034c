// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "handlerguard.h"

#include "cardfileerror.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace velmora {

namespace {

std::function<void(const CardFileError &)> &reporter()
{
    static std::function<void(const CardFileError &)> r;
    return r;
}

bool reporting = false;

[[noreturn]] void endWith(const char *what)
{
    std::fprintf(stderr, "velmora: %s\n", what);
    std::fflush(nullptr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void setHandlerFailureReporter(std::function<void(const CardFileError &)> r)
{
    reporter() = std::move(r);
}

void runGuarded(const std::function<void()> &handler) noexcept
{
    try {
        handler();
    } catch (const CardFileError &error) {
        // The box that reports the first failure lets events through; a second failure
        // from one of them has nothing to add: the program is ending anyway.
        if (reporting)
            return;
        if (!reporter())
            endWith(error.what());
        reporting = true;
        try {
            reporter()(error);
        } catch (const std::exception &e) {
            endWith(e.what());
        } catch (...) {
            endWith("unknown exception while reporting a failure");
        }
        reporting = false;
    } catch (const std::exception &e) {
        endWith(e.what());
    } catch (...) {
        endWith("unknown exception in a handler");
    }
}

} // namespace velmora
