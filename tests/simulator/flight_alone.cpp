// flight_alone.cpp -- linked into the flight model's test binary: every test starts with the flight
// model's hooks empty, as the library stands alone, whatever an earlier test put in them.
#include "flight_hooks.h"

#include <gtest/gtest.h>

namespace {

class FlightAlone : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { flt_hooks = {}; }
};

const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FlightAlone);
    return true;
}();

}  // namespace
