#pragma once
// The whole program started on a fresh, empty ZELK_HOME with its main menu shown, for
// driving the real screens. The program closes before its home is removed.
#include "core/startup.h"
#include "testhome.h"

namespace zelk {
class DataModule1;
}

namespace zelk::test {

struct StartedProgram {
    StartedProgram();
    DataModule1 &data();
    // The balance of the account at `position` in the chart of accounts.
    double balance(int position);

    TestHome home;
    Program program{false};
};

} // namespace zelk::test
