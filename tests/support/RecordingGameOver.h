#pragma once
// Stands in for the game-over dialog: records each time the rules open it.
#include "engine/GameOverSeam.h"

#include <vector>

namespace testing_support {

class RecordingGameOver final : public engine::GameOverDialog {
public:
    std::vector<engine::GameEnding> shown;
    void show(engine::GameEnding ending) override { shown.push_back(ending); }
};

} // namespace testing_support
