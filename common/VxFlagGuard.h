// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sets a flag for the length of a scope and puts the old value back on the
// way out, also when a handler throws (a veto must not leave a component
// believing it is still adding, resizing or syncing).

class TVxFlagGuard {
public:
    explicit TVxFlagGuard(bool& flag, bool value = true) : m_flag(flag), m_old(flag) {
        m_flag = value;
    }
    ~TVxFlagGuard() { m_flag = m_old; }
    TVxFlagGuard(const TVxFlagGuard&) = delete;
    TVxFlagGuard& operator=(const TVxFlagGuard&) = delete;

private:
    bool& m_flag;
    bool m_old;
};
