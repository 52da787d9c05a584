// Registers the classes the persistence tests stream before any test runs.
#include <gtest/gtest.h>

#include "objects/tests/test_items.h"

namespace {

class Registrations : public ::testing::Environment {
 public:
  void SetUp() override {
    hx::RegisterObjectStreamables();
    hx::RegisterStreamable<hx::test::TKeyItem>();
    hx::RegisterStreamable<hx::test::TLegacyItem>();
    hx::RegisterStreamable<hx::test::TKeySorted>();
  }
};

const auto* const kRegistrations = ::testing::AddGlobalTestEnvironment(new Registrations);

}  // namespace
