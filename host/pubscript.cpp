#include "pubscript.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "console.h"
#include "hqhost.h"

namespace hqhost {

namespace {

std::optional<std::vector<std::string>> Words(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        if (line[i] == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos) return std::nullopt;
            out.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
            out.push_back(line.substr(start, i - start));
        }
    }
    return out;
}

std::optional<int> ActionId(Host& host, const std::string& word) {
    char* end = nullptr;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (!word.empty() && *end == '\0') return static_cast<int>(v);
    for (const CatalogueEntry& e : host.Catalogue())
        if (e.id != 0 && e.name == word) return e.id;
    return std::nullopt;
}

std::string Quote(const std::string& cp1251) { return "\"" + Utf8FromCp1251(cp1251) + "\""; }

void Report(Host& host, const std::string& what, const std::string& outcome) {
    if (host.LastForeignFault())
        Print(what + " -> fault in the plug-in, call abandoned: " + *host.LastForeignFault() + "\n");
    else if (host.LastError())
        Print(what + " -> error: " + Utf8FromCp1251(*host.LastError()) + "\n");
    else
        Print(what + " -> " + outcome + "\n");
}

}  // namespace

void PumpMessages(unsigned ms) {
    const DWORD until = ::GetTickCount() + ms;
    MSG msg;
    do {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<int>(until - ::GetTickCount()) > 0);
}

int RunPublicationScript(Host& host, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Print("cannot read script " + path + "\n");
        return 1;
    }
    int failures = 0;
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::string line = Cp1251FromUtf8(raw);
        const auto words = Words(line);
        auto bad = [&](const std::string& why) {
            Print(path + ":" + std::to_string(lineNo) + ": " + why + "\n");
            ++failures;
        };
        if (!words) {
            bad("unbalanced quotes");
            continue;
        }
        if (words->empty() || (*words)[0][0] == '#') continue;
        const std::vector<std::string>& w = *words;
        const std::string& cmd = w[0];
        const std::vector<std::string> args(w.begin() + 1, w.end());
        if (cmd == "set" && args.size() == 2) {
            host.SetVar(args[0], args[1]);
        } else if ((cmd == "exec" || cmd == "edit") && !args.empty()) {
            const auto id = ActionId(host, args[0]);
            if (!id) {
                bad("unknown action " + Utf8FromCp1251(args[0]));
                continue;
            }
            std::vector<std::string> params(args.begin() + 1, args.end());
            std::string shown = cmd + " " + Utf8FromCp1251(args[0]);
            if (cmd == "exec") {
                const bool r = host.Exec(*id, params);
                Report(host, shown, r ? "true" : "false");
            } else {
                const bool r = host.Edit(*id, params);
                std::string outcome = r ? "true" : "false";
                for (const std::string& p : params) outcome += " " + Quote(p);
                Report(host, shown, outcome);
            }
        } else if (cmd == "about" && args.empty()) {
            host.About();
            Report(host, "about", "closed");
        } else if (cmd == "message" && args.size() == 1) {
            host.Message(std::atoi(args[0].c_str()));
            Report(host, "message " + args[0], "done");
        } else if (cmd == "print") {
            for (const std::string& name : args) Print(Utf8FromCp1251(name) + " = " + Quote(host.Var(name)) + "\n");
        } else if (cmd == "vars" && args.empty()) {
            for (const auto& [name, value] : host.Variables())
                Print(Utf8FromCp1251(name) + " = " + Quote(value) + "\n");
        } else if ((cmd == "textentry" || cmd == "window") && args.size() == 5) {
            const int x = std::atoi(args[1].c_str()), y = std::atoi(args[2].c_str());
            const int cx = std::atoi(args[3].c_str()), cy = std::atoi(args[4].c_str());
            if (cmd == "textentry")
                host.CreateTextEntry(args[0], x, y, cx, cy);
            else
                host.CreateExternalWindow(args[0], x, y, cx, cy);
        } else if (cmd == "answer" && (args.size() == 2 || args.size() == 3)) {
            PickAnswer a;
            a.expectCode = std::atoi(args[0].c_str());
            a.result = args[1] == "true";
            if (args.size() == 3) a.text = args[2];
            host.PickAnswers().push_back(a);
        } else if (cmd == "pump" && args.size() == 1) {
            PumpMessages(static_cast<unsigned>(std::atoi(args[0].c_str())));
        } else {
            bad("unknown command " + Utf8FromCp1251(cmd));
        }
        for (const std::string& e : host.ScriptErrors()) Print("host script error: " + Utf8FromCp1251(e) + "\n");
        host.ScriptErrors().clear();
    }
    return failures;
}

}  // namespace hqhost
