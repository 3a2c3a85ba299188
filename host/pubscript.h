// Publication scripts for `hqhost run`: one command a line, UTF-8 text
// (converted to Windows-1251 for the plug-in). Arguments are bare words or
// "double-quoted" texts.
//   # comment
//   set [Name] "value"                  host variable
//   exec NAME|ID "p1" "p2" ...          run an action, print its result or error
//   edit NAME|ID "p1" ...               open its dialog, print the edited strings
//   about | message N
//   print [Name] ...                    print variables;  vars: print all
//   textentry NAME X Y W H              a text-entry object on the main window
//   window NAME X Y W H                 an external window publishing [NAME.WinHandle]
//   answer CODE true|false ["text"]     queue an answer of the interface-access callback
//   pump MS                             process window messages for MS milliseconds
// An error the plug-in raises is printed with its text and the script goes on.
#pragma once
#include <string>

namespace hqhost {

class Host;

// Returns the number of commands that failed to run (not plug-in errors).
int RunPublicationScript(Host& host, const std::string& path);

// Pumps the thread's messages for `ms` milliseconds.
void PumpMessages(unsigned ms);

}  // namespace hqhost
