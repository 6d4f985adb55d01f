#include "engine/GameOverSeam.h"

namespace engine {

namespace {
GameOverDialog* g_dialog = nullptr;
}

void setGameOverDialog(GameOverDialog* dialog) { g_dialog = dialog; }

void ShowGameOver(GameEnding ending) {
    if (g_dialog) g_dialog->show(ending);
}

void CloseGameOver() {
    if (g_dialog) g_dialog->close();
}

} // namespace engine
