#include "script.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "hqhost.h"

namespace hqhost {

namespace {

// Evaluates integer + and - over [variables] and decimal numbers.
std::optional<long long> Evaluate(Host& host, const std::string& expr) {
    long long total = 0;
    int sign = 1;
    bool expectTerm = true;
    size_t i = 0;
    while (i < expr.size()) {
        const char c = expr[i];
        if (c == ' ') {
            ++i;
        } else if (expectTerm && (c == '+' || c == '-')) {
            if (c == '-') sign = -sign;
            ++i;
        } else if (!expectTerm && (c == '+' || c == '-')) {
            sign = c == '-' ? -1 : 1;
            expectTerm = true;
            ++i;
        } else if (expectTerm && c == '[') {
            const size_t end = expr.find(']', i);
            if (end == std::string::npos) return std::nullopt;
            const std::string value = host.Var(expr.substr(i, end - i + 1));
            char* stop = nullptr;
            const long long v = std::strtoll(value.c_str(), &stop, 10);
            if (value.empty() || *stop) return std::nullopt;
            total += sign * v;
            sign = 1;
            expectTerm = false;
            i = end + 1;
        } else if (expectTerm && std::isdigit(static_cast<unsigned char>(c))) {
            long long v = 0;
            while (i < expr.size() && std::isdigit(static_cast<unsigned char>(expr[i]))) v = v * 10 + (expr[i++] - '0');
            total += sign * v;
            sign = 1;
            expectTerm = false;
        } else {
            return std::nullopt;
        }
    }
    if (expectTerm) return std::nullopt;
    return total;
}

void RunCommand(Host& host, const std::string& command) {
    auto fail = [&](const std::string& why) { host.ScriptErrors().push_back(why + ": " + command); };
    const auto words = SplitCommand(command);
    if (!words || words->empty()) return fail("malformed script command");
    const std::vector<std::string>& w = *words;
    if (w[0] == "SetVar" && w.size() == 3) {
        const auto value = Evaluate(host, w[2]);
        if (!value) return fail("cannot evaluate");
        host.SetVar(w[1], std::to_string(*value));
    } else if (w[0] == "GetObjectHandle" && w.size() == 3) {
        HWND hwnd = host.Object(host.Var(w[1]));
        host.SetVar(w[2], hwnd ? std::to_string(reinterpret_cast<uintptr_t>(hwnd)) : std::string());
    } else if (w[0] == "StrParse" && w.size() == 5) {
        const std::string text = host.Var(w[1]);
        const std::string& sep = w[2];
        const std::string base = w[3];  // "[$]": field k goes to "[$k]"
        if (sep.empty() || base.size() < 2 || base.back() != ']') return fail("bad StrParse arguments");
        size_t start = 0;
        for (int k = 1;; ++k) {
            const size_t at = text.find(sep, start);
            const std::string field = text.substr(start, at == std::string::npos ? std::string::npos : at - start);
            host.SetVar(base.substr(0, base.size() - 1) + std::to_string(k) + "]", field);
            if (at == std::string::npos) break;
            start = at + sep.size();
        }
    } else {
        fail("unknown script command");
    }
}

}  // namespace

std::optional<std::vector<std::string>> SplitCommand(const std::string& command) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < command.size() && command[i] == ' ') ++i;
    size_t start = i;
    while (i < command.size() && command[i] != ' ') ++i;
    if (i == start) return std::nullopt;
    words.push_back(command.substr(start, i - start));
    while (true) {
        while (i < command.size() && command[i] == ' ') ++i;
        if (i == command.size()) break;
        if (command[i] != '"') return std::nullopt;
        const size_t end = command.find('"', i + 1);
        if (end == std::string::npos) return std::nullopt;
        words.push_back(command.substr(i + 1, end - i - 1));
        i = end + 1;
    }
    return words;
}

void RunHostScriptText(Host& host, const std::string& text) {
    if (text.find('\n') != std::string::npos) host.ScriptErrors().push_back("script contains a line feed");
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\r', start);
        const std::string command = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!command.empty()) RunCommand(host, command);
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

}  // namespace hqhost
