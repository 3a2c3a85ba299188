// hqhost: the stand-in host.
//   hqhost list PLUGIN               the catalogue by group
//   hqhost run PLUGIN SCRIPT         run a publication script (see pubscript.h)
//   hqhost shot PLUGIN ID|about FILE.png [ID|about FILE.png]...
//                                    render dialogs to PNG files, one after another
#include <windows.h>

#include <cstdio>
#include <string>

#include "console.h"
#include "hqhost.h"
#include "pubscript.h"
#include "shot.h"

using namespace hqhost;

namespace {

int Usage() {
    Print("usage:\n"
          "  hqhost list PLUGIN\n"
          "  hqhost run PLUGIN SCRIPT\n"
          "  hqhost shot PLUGIN ID|about FILE.png [ID|about FILE.png]...\n");
    return 2;
}

std::string CodesText(const CatalogueEntry& e) {
    std::string s;
    for (size_t i = 0; i < e.codes.size(); ++i) s += (i ? "," : "") + std::to_string(e.codes[i]);
    return s;
}

int List(Host& host) {
    for (const CatalogueEntry& e : host.Catalogue()) {
        if (e.id == 0) {
            Print("\n" + Utf8FromCp1251(e.name) + "\n");
            continue;
        }
        char head[96];
        std::snprintf(head, sizeof head, "  %3d  %-36s [%s]\n", e.id, e.name.c_str(), CodesText(e).c_str());
        Print(head);
        Print("       " + Utf8FromCp1251(e.hint) + "\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string command = argv[1];
    Host& host = Host::Instance();
    if (!host.Load(argv[2])) {
        Print(std::string("cannot load plug-in ") + argv[2] + "\n");
        return 1;
    }
    int rc = 0;
    if (command == "list" && argc == 3) {
        const Identity id = host.InitPlugIn();
        Print(Utf8FromCp1251(id.name) + ": " + Utf8FromCp1251(id.description) + "\n");
        rc = List(host);
    } else if (command == "run" && argc == 4) {
        host.SetInteractive(true);
        rc = RunPublicationScript(host, argv[3]) == 0 ? 0 : 1;
    } else if (command == "shot" && argc >= 5 && (argc - 3) % 2 == 0) {
        // Every pair is tried; one that opens nothing is reported and the rest go on.
        for (int i = 3; i < argc; i += 2)
            if (ShotCommand(host, argv[i], argv[i + 1]) != 0) rc = 1;
    } else {
        rc = Usage();
    }
    host.DestroyObjects();
    host.Unload();
    return rc;
}
