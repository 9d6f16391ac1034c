// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace velmora {

// The keyboard's lock lights, which the status bars show.
class KeyboardState
{
public:
    enum class Light { CapsLock, NumLock };

    // Whether the platform tells the lights' state at all; Wayland, for one, does not.
    virtual bool reports() { return true; }
    // False when the platform does not report the state.
    virtual bool isOn(Light light) = 0;

protected:
    virtual ~KeyboardState() = default;
};

} // namespace velmora
