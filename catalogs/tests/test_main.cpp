// Registers the classes the catalog tests stream before any test runs.
#include <gtest/gtest.h>

#include "catalogs/cat_register.h"
#include "catalogs/tests/test_items.h"

namespace {

class Registrations : public ::testing::Environment {
 public:
  void SetUp() override {
    hx::RegisterCatalogStreamables();
    hx::RegisterStreamable<hx::test::TTestSdpItem>();
    hx::RegisterStreamable<hx::test::TTestPicItem>();
    hx::RegisterStreamable<hx::test::TTestPicBloItem>();
    hx::RegisterStreamable<hx::test::TTestFixedItem>();
  }
};

const auto* const kRegistrations = ::testing::AddGlobalTestEnvironment(new Registrations);

}  // namespace
