// Field-by-field comparison of two settings snapshots, naming every field that differs.
#pragma once

#include <gtest/gtest.h>

#include "engine/base/settings_model.h"

::testing::AssertionResult SameSettings(const TStrInfo& a, const TStrInfo& b);
