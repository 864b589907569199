// whole_simulator.cpp -- linked into the test binaries of the cockpit, the world and the shell: the
// flight model and the outside view run with the whole simulator behind their hooks, as in the
// program. The hooks are filled afresh before every test, so none runs with a table an earlier
// test changed (the flight harness puts its own controls in).
#include "hooks.h"

#include <gtest/gtest.h>

namespace {

class WholeSimulator : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { fill_hooks(); }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new WholeSimulator);
    return true;
}();

}  // namespace
