#pragma once

namespace jlex {

struct Choice {
    bool enabled = true;
    bool selected = false; // ticked, for a check box

    bool operator==(const Choice&) const = default;
};

// The choices the survey offers, by what they mean. The install mode and the
// restore choice are two independent pairs of which one is selected.
struct ControlStates {
    Choice addMode{true, true};
    Choice overwriteMode{true, false};
    Choice backupFirst{true, true};
    bool backupAvailable = true;
    Choice restoreInitial{true, true};
    Choice restoreLatest{true, false};
    bool restoreAvailable = true;

    bool operator==(const ControlStates&) const = default;
};

} // namespace jlex
