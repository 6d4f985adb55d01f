#pragma once
// A fresh forms scene shown through the Qt binding on the offscreen platform, for the binding's
// tests: the application first, since the binding needs it.
#include "platform/ui/qt/QtBinding.h"
#include "tests/support/QtApp.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

namespace testing_support {

struct QtAppStarted {
    QtAppStarted() { qtApp(); }
};

class QtScene : public ::testing::Test, private QtAppStarted {
protected:
    UiScene scene;
    platform::ui::qt::QtBinding binding;
};

} // namespace testing_support
