// The stand-in host: loads a plug-in, plays the host's side of the contract
// (callbacks, variables, scripts, pickers, a main window with named objects)
// and calls the exports in the host's order. One instance per process.
#pragma once
#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "convention.h"
#include "counting.h"
#include "ledger.h"

namespace hqhost {

struct CatalogueEntry {
    int32_t id = 0;
    std::string name;
    std::string hint;
    bool hintNull = false;
    std::vector<uint8_t> codes;  // highIndex + 1 bytes as handed over
    int32_t highIndex = 0;
    int32_t count = 0;
};

struct Identity {
    std::string name, author, description;
};

// One scripted answer of the interface-access callback.
struct PickAnswer {
    bool result = true;
    std::optional<std::string> text;  // nothing: leave the slot as the plug-in set it
    std::optional<int32_t> expectCode;
};

// One call of the interface-access callback, as the host saw it.
struct PickRequest {
    int32_t code = 0;
    bool slotNull = true;
    std::string slotText;  // what the plug-in put in the slot
};

// Case-insensitive (ASCII) ordering for variable and object names.
struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const;
};

bool EqualNoCase(const std::string& a, const std::string& b);

class Host {
public:
    static Host& Instance();

    // ---- plug-in lifetime
    // Loads the plug-in, patches its imports for counting, and calls
    // hqRegisterPlugIn, hqInitPlugIn, hqRegisterScriptProcessor and
    // hqRegisterInterfaceAccess in that order. False if it cannot be loaded.
    bool Load(const std::string& path);
    bool LoadOnly(const std::string& path);  // load and patch, call nothing
    void Unload();
    HMODULE Module() const { return module_; }
    FARPROC Export(const char* name) const;

    // ---- the exports, each behind the error landing
    void RegisterPlugIn();
    Identity InitPlugIn();
    // With pre-filled identity slots (host blocks the plug-in must free).
    Identity InitPlugIn(const Identity& prefill);
    // Raw form: the caller owns the three slots before and after.
    void InitPlugInRaw(char** slots);
    void RegisterScriptProcessor();
    void RegisterInterfaceAccess();
    bool Exec(int32_t id, const std::vector<std::string>& params);
    // Raw form: the slot array as the host would hand it (null elements allowed).
    bool ExecRaw(int32_t id, const char* const* params);
    // Edits `params` in place: each becomes a host block, and on return every
    // slot is read back and freed. True when the dialog was confirmed.
    bool Edit(int32_t id, std::vector<std::string>& params);
    // Raw form: the caller owns the slots (made with Ledger::Give) before and after.
    bool EditRaw(int32_t id, char** slots);
    void Message(int32_t code);
    void About();

    // The error the last export call raised, if any (exact text).
    const std::optional<std::string>& LastError() const { return lastError_; }
    size_t ErrorCount() const { return errorCount_; }
    // A fault no handler inside the last export call dealt with (access
    // violation, std::terminate): the call was abandoned; the text says what.
    const std::optional<std::string>& LastForeignFault() const { return lastForeign_; }
    size_t ForeignFaultCount() const { return foreignCount_; }

    // ---- a host that raises its own exception in a callback, as a Pascal
    // host raises its errors: code kHostRaiseCode, non-continuable, with
    // kHostRaiseParams.
    enum class Callback { RegisterAction, GetVariable, SetVariable, Script, InterfaceAccess };
    static constexpr uint32_t kHostRaiseCode = 0x0EEDFADEu;
    static constexpr uintptr_t kHostRaiseParams[7] = {0x11, 0x2222, 0x333333, 0x44444444, 5, 6, 7};
    // The next call of `which` whose text (variable name, script; empty for
    // the others) starts with `prefix` raises instead of answering.
    void RaiseInNextCallback(Callback which, const std::string& prefix = "");
    void RaiseIfArmed(Callback which, const char* text);
    struct Raised {
        uint32_t code = 0, flags = 0;
        std::vector<uintptr_t> params;
    };
    // The host's own exception as its frame around the last export call caught it.
    const std::optional<Raised>& LastRaisedByHost() const { return lastRaised_; }

    // ---- host state
    Ledger& ledger() { return ledger_; }
    const std::vector<CatalogueEntry>& Catalogue() const { return catalogue_; }
    std::map<std::string, std::string, NoCase>& Variables() { return variables_; }
    std::string Var(const std::string& name) const;
    void SetVar(const std::string& name, const std::string& value);
    // Every script text received by the script-processor callback, byte for byte.
    const std::vector<std::string>& Scripts() const { return scripts_; }
    // Commands the host could not run (unknown command, bad expression).
    std::vector<std::string>& ScriptErrors() { return scriptErrors_; }
    // Calls of the get-variable and set-variable callbacks, in order ("get [X]", "set [X]=v").
    std::vector<std::string>& CallLog() { return callLog_; }

    // Interface access: scripted answers first; with none queued, the picker
    // window when interactive, else false.
    std::deque<PickAnswer>& PickAnswers() { return pickAnswers_; }
    std::vector<PickRequest>& PickRequests() { return pickRequests_; }
    void SetInteractive(bool on) { interactive_ = on; }

    // ---- main window and objects
    HWND MainWindow();
    // A text-entry object: an edit control on the main window.
    HWND CreateTextEntry(const std::string& name, int x, int y, int w, int h);
    // An external window: a top-level window that publishes [Name.WinHandle].
    HWND CreateExternalWindow(const std::string& name, int x, int y, int w, int h);
    // An object whose window the test made itself (on a thread of its own, say):
    // its handle is answered and published as for the host's own objects.
    void AdoptObject(const std::string& name, HWND window);
    HWND Object(const std::string& name) const;
    void DestroyObjects();
    // Destroys the main window and the objects; the next MainWindow() makes a fresh one.
    void ResetWindows();
    // Resizes the main window so its client area is `height` pixels high.
    void SetPublicationHeight(int height);

    // ---- bookkeeping for tests
    ObjectCounts LiveObjects() const { return hqhost::LiveObjects(); }
    uint32_t StackFaults() const;

    // Called by the callback thunks.
    void OnRegisterAction(int32_t id, const char* name, const char* hint, const uint8_t* codes, int32_t high,
                          int32_t count);
    void OnGetVariable(const char* name, char** slot);
    void OnSetVariable(const char* name, const char* value);
    void OnScript(const char* script);
    bool OnInterfaceAccess(int32_t code, char** slot);

private:
    Host() = default;
    Word Invoke(const char* exportName, std::initializer_list<Word> args);
    void RunScriptCommand(const std::string& command);

    HMODULE module_ = nullptr;
    Ledger ledger_;
    std::vector<CatalogueEntry> catalogue_;
    std::map<std::string, std::string, NoCase> variables_;
    std::vector<std::string> scripts_;
    std::vector<std::string> scriptErrors_;
    std::vector<std::string> callLog_;
    std::deque<PickAnswer> pickAnswers_;
    std::vector<PickRequest> pickRequests_;
    bool interactive_ = false;
    std::optional<std::string> lastError_;
    size_t errorCount_ = 0;
    std::optional<std::string> lastForeign_;
    size_t foreignCount_ = 0;
    std::optional<Callback> raiseIn_;
    std::string raisePrefix_;
    std::optional<Raised> lastRaised_;
    HWND mainWindow_ = nullptr;
    std::map<std::string, HWND, NoCase> objects_;
};

// Asks the user for a text in a small modal window; nothing when cancelled.
std::optional<std::string> PickerWindow(int32_t code, const std::string& initial);

}  // namespace hqhost
