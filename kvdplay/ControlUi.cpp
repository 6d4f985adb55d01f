#include "kvdplay/ControlUi.h"

namespace kvdplay {

ControlUi& controlUi()
{
    static ControlUi ui;
    return ui;
}

} // namespace kvdplay
