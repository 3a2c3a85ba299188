// hqtables OUT.json: writes the catalogue and the design of every property
// dialog (sections, description, controls) as UTF-8 JSON. The reference page
// is built from this file, so its names, hints and labels are the plug-in's own.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "editors/editor_table.h"
#include "hq_version.h"
#include "plugin/catalogue.h"

namespace {

std::string Utf8FromCp1251(const std::string& text) {
    if (text.empty()) return {};
    const int n = static_cast<int>(text.size());
    std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(1251, 0, text.data(), n, nullptr, 0)), L'\0');
    ::MultiByteToWideChar(1251, 0, text.data(), n, wide.data(), static_cast<int>(wide.size()));
    const int wn = static_cast<int>(wide.size());
    std::string utf8(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, nullptr, 0, nullptr, nullptr)),
                     '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

// A JSON string literal of Windows-1251 text.
std::string Str(const std::string& cp1251) {
    std::string out = "\"";
    for (char c : Utf8FromCp1251(cp1251)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", u);
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

const char* KindName(hq::editors::ControlKind kind) {
    using hq::editors::ControlKind;
    switch (kind) {
        case ControlKind::Edit: return "edit";
        case ControlKind::Label: return "label";
        case ControlKind::Radio: return "radio";
        case ControlKind::Check: return "check";
        case ControlKind::Combo: return "combo";
        case ControlKind::Slider: return "slider";
        case ControlKind::SpeedButton: return "button";
    }
    return "other";
}

std::string Control(const hq::editors::ControlDecl& c) {
    std::string s = "{\"kind\": \"" + std::string(KindName(c.kind)) + "\", \"name\": " + Str(c.name);
    s += ", \"x\": " + std::to_string(c.bounds.left) + ", \"y\": " + std::to_string(c.bounds.top);
    s += ", \"text\": " + Str(c.text) + ", \"holds\": " + std::to_string(c.holds);
    s += std::string(", \"hidden\": ") + (c.hidden ? "true" : "false");
    s += ", \"pick\": " + std::to_string(c.pickCode) + ", \"field\": " + Str(c.pickField);
    s += ", \"hint\": " + Str(c.hint);
    s += ", \"min\": " + std::to_string(c.min) + ", \"max\": " + std::to_string(c.max);
    s += ", \"items\": [";
    for (size_t i = 0; i < c.items.size(); ++i) s += (i ? ", " : "") + Str(c.items[i]);
    return s + "]}";
}

std::string Dialog(const hq::editors::EditorRow& row) {
    const hq::editors::DialogDesign& d = row.design();
    const std::string caption = d.caption.empty() ? "Свойства " + d.action : d.caption;
    std::string s = "{\"id\": " + std::to_string(row.id) + ", \"action\": " + Str(d.action);
    s += ", \"class\": " + Str(row.dialogClass) + ", \"caption\": " + Str(caption);
    s += ", \"description\": " + Str(d.description.text) + ", \"sections\": [";
    for (size_t i = 0; i < d.sections.size(); ++i) {
        const auto& sec = d.sections[i];
        s += std::string(i ? ", " : "") + "{\"x\": " + std::to_string(sec.gx) + ", \"y\": " + std::to_string(sec.gy) +
             ", \"title\": " + Str(sec.title) + ", \"strip\": " + std::to_string(sec.stripWidth) +
             ", \"left\": " + std::to_string(sec.leftHeight) + "}";
    }
    s += "], \"controls\": [";
    for (size_t i = 0; i < d.controls.size(); ++i) s += std::string(i ? ",\n    " : "\n    ") + Control(d.controls[i]);
    return s + "]}";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: hqtables OUT.json\n", stderr);
        return 2;
    }
    std::string json = "{\"version\": \"" HQ_VERSION_TEXT "\",\n\"catalogue\": [";
    for (int i = 0; i < hq::kCatalogueSize; ++i) {
        const hq::CatalogueRow& r = hq::kCatalogue[i];
        json += std::string(i ? ",\n  " : "\n  ") + "{\"id\": " + std::to_string(r.id) + ", \"name\": " + Str(r.name) +
                ", \"hint\": " + Str(r.hint) + ", \"count\": " + std::to_string(r.count) + "}";
    }
    json += "],\n\"dialogs\": [";
    for (int i = 0; i < hq::editors::kEditorCount; ++i)
        json += std::string(i ? ",\n  " : "\n  ") + Dialog(hq::editors::kEditorTable[i]);
    json += "]}\n";

    std::ofstream out(argv[1], std::ios::binary);
    out << json;
    return out.good() ? 0 : 1;
}
