#pragma once
// The data module on a fresh, empty ZELK_HOME, opened: the home is made before the
// module and removed after it, so every test starts from nothing.
#include "databases.h"
#include "testhome.h"

namespace zelk::test {

namespace detail {
struct HomeFirst {
    TestHome home;
};
} // namespace detail

class FreshData : private detail::HomeFirst, public DataModule1 {
public:
    enum class Open { ForUse, All };
    explicit FreshData(Open open = Open::ForUse);
    const TestHome &testHome() const { return home; }
};

} // namespace zelk::test
