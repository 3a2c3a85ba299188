// Dialog shots need the dialogs; until they exist the command says so.
#include "shot.h"

#include "console.h"

namespace hqhost {

int ShotCommand(Host&, const std::string& which, const std::string&) {
    Print("shot " + which + ": no dialog can be rendered yet\n");
    return 1;
}

}  // namespace hqhost
