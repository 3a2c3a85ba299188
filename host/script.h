// The host's script processor: the few commands the plug-in relies on.
// Commands are separated by one byte 13. Each is a word followed by quoted
// arguments:
//   SetVar "[Name]" "expression"      integer + and - over [variables] and numbers
//   GetObjectHandle "[From]" "[To]"   [To] = handle (decimal) of the object named in [From], or empty
//   StrParse "[From]" "sep" "[$]" ""  [$1], [$2], ... = the sep-separated fields of [From]
// Anything else is reported in Host::ScriptErrors(), never ignored silently.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace hqhost {

class Host;

void RunHostScriptText(Host& host, const std::string& text);

// Splits `Word "a" "b"` into {"Word", "a", "b"}; nothing when the quoting is broken.
std::optional<std::vector<std::string>> SplitCommand(const std::string& command);

}  // namespace hqhost
