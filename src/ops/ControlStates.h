#pragma once

namespace jlex {

struct Choice {
    bool enabled = true;
    bool selected = false; // ticked, for a check box

    bool operator==(const Choice&) const = default;
};

// The main window's controls that the survey sets, under their names in the
// window. Option1/Option2 and Option3/Option4 are two independent pairs.
struct ControlStates {
    Choice option1{true, true};  // add mode
    Choice option2{true, false}; // overwrite mode
    Choice check1{true, true};   // back up the existing phrases first
    bool command7 = true;        // backup button enabled
    Choice option3{true, true};  // restore to the initial state
    Choice option4{true, false}; // restore to the latest backup
    bool command4 = true;        // restore button enabled

    bool operator==(const ControlStates&) const = default;
};

} // namespace jlex
