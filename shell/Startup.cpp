#include "shell/Startup.h"

#include "engine/Shared.h"
#include "engine/State.h"
#include "shell/LanProviders.h"
#include "shell/Login.h"
#include "shell/MenuForm.h"
#include "shell/Settings.h"

namespace shell {

void startProgram() {
    engine::SetCurrentDirToAppPath();
    engine::state().AppVersion = "1.1";
    installShellHooks();
    setProviderSource(networkLibraryProviders);
    login().Show();
}

} // namespace shell
