// `hqhost shot`: opens an action's dialog (or the About box), renders it to a
// PNG file and closes it without user input.
#pragma once
#include <string>

namespace hqhost {

class Host;

int ShotCommand(Host& host, const std::string& which, const std::string& pngPath);

}  // namespace hqhost
