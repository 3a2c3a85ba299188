#include "hqhost.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convention.h"
#include "script.h"

#ifndef _WIN64
extern "C" uint32_t hq_stack_faults;  // host/thunks.S
#endif

namespace hqhost {

namespace {

constexpr DWORD kPluginErrorCode = 0xE07A0001;
constexpr wchar_t kMainClass[] = L"hqhostMainWindow";
constexpr wchar_t kExternalClass[] = L"hqhostExternalWindow";

Word U(const void* p) { return reinterpret_cast<Word>(p); }

// ---- error landing: the plug-in reports an error as a structured exception;
// the handler resumes at the landing point taken just before the export call.
struct Landing {
    void* buf[5];
    void* sehHead;
    std::string message;
    bool foreign = false;
    std::optional<Host::Raised> raised;  // the host's own exception, caught by its frame
    Landing* prev;
};
thread_local Landing* t_landing = nullptr;

// __builtin_setjmp keeps the frame pointer, the resume address and the stack
// pointer, in that order, on both processors.
void ResumeAtLanding(CONTEXT* c, const Landing* landing) {
#ifdef _WIN64
    c->Rbp = U(landing->buf[0]);
    c->Rip = U(landing->buf[1]);
    c->Rsp = U(landing->buf[2]);
#else
    c->Ebp = U(landing->buf[0]);
    c->Eip = U(landing->buf[1]);
    c->Esp = U(landing->buf[2]);
#endif
}

LONG CALLBACK LandingHandler(EXCEPTION_POINTERS* ep) {
    const EXCEPTION_RECORD* rec = ep->ExceptionRecord;
    Landing* landing = t_landing;
    if (rec->ExceptionCode != kPluginErrorCode || !landing) return EXCEPTION_CONTINUE_SEARCH;
    if (rec->NumberParameters >= 2 && rec->ExceptionInformation[0])
        landing->message.assign(reinterpret_cast<const char*>(rec->ExceptionInformation[0]),
                                rec->ExceptionInformation[1]);
    else
        landing->message = "(error without a message)";
    ResumeAtLanding(ep->ContextRecord, landing);
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace
}  // namespace hqhost

// A frame handler around each export call: it sees only what no handler
// inside the call dealt with (an access violation, a stack overflow, the abort
// that std::terminate ends in), which would otherwise end the process. The
// call is abandoned at its landing and the fault reported. In the 32-bit build
// Invoke registers it on the thread's exception chain; in the 64-bit build it
// is the handler of hq_invoke's own frame (thunks_x64.S).
#ifdef _WIN64
extern "C" char hq_invoke_landing[];
#endif

extern "C" EXCEPTION_DISPOSITION __cdecl hq_foreign_frame(EXCEPTION_RECORD* rec, void* frame, CONTEXT* context,
                                                         void* dispatch) {
    hqhost::Landing* landing = hqhost::t_landing;
    if (landing && !(rec->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) &&
        rec->ExceptionCode == hqhost::Host::kHostRaiseCode) {
        // The host's own exception, raised in a callback and come back from
        // the export: handled here as a host handles its own, by unwinding
        // the frames of the call (it is not continuable).
        hqhost::Host::Raised raised;
        raised.code = rec->ExceptionCode;
        raised.flags = rec->ExceptionFlags;
        raised.params.assign(rec->ExceptionInformation, rec->ExceptionInformation + rec->NumberParameters);
        landing->raised = std::move(raised);
#ifdef _WIN64
        ::RtlUnwindEx(frame, hq_invoke_landing, rec, nullptr, context,
                      static_cast<DISPATCHER_CONTEXT*>(dispatch)->HistoryTable);
#else
        (void)dispatch;
        ::RtlUnwind(frame, nullptr, rec, nullptr);
        __builtin_longjmp(landing->buf, 1);
#endif
    }
    if (!landing || (rec->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) ||
        (rec->ExceptionFlags & EXCEPTION_NONCONTINUABLE) || (rec->ExceptionCode & 0xC0000000u) != 0xC0000000u)
        return ExceptionContinueSearch;
    char text[128];
    if (rec->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && rec->NumberParameters >= 2)
        std::snprintf(text, sizeof text, "access violation (%s %p) at %p",
                      rec->ExceptionInformation[0] ? "writing" : "reading",
                      reinterpret_cast<void*>(rec->ExceptionInformation[1]), rec->ExceptionAddress);
    else
        std::snprintf(text, sizeof text, "exception 0x%08lX at %p", rec->ExceptionCode, rec->ExceptionAddress);
    landing->message = text;
    landing->foreign = true;
    hqhost::ResumeAtLanding(context, landing);
    return ExceptionContinueExecution;
}

namespace hqhost {
namespace {

// The head of the thread's exception chain, which a landing puts back: the
// frames registered inside the abandoned call are gone. The 64-bit system
// finds handlers from tables, not from a chain, so there is nothing to keep.
#ifdef _WIN64
void* SehHead() { return nullptr; }
void SetSehHead(void*) {}
#else
void* SehHead() { return reinterpret_cast<NT_TIB*>(::NtCurrentTeb())->ExceptionList; }
void SetSehHead(void* head) {
    reinterpret_cast<NT_TIB*>(::NtCurrentTeb())->ExceptionList = static_cast<EXCEPTION_REGISTRATION_RECORD*>(head);
}
// x86 SEH registration record, placed on the caller's stack.
struct SehRecord {
    void* next;
    void* handler;
};
#endif

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) {
        ::ShowWindow(hwnd, SW_HIDE);
        return 0;
    }
    if (msg == WM_ERASEBKGND) {
        RECT r;
        ::GetClientRect(hwnd, &r);
        ::FillRect(reinterpret_cast<HDC>(wp), &r, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        return 1;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kMainClass;
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.lpszClassName = kExternalClass;
    ::RegisterClassW(&wc);
}

std::string Decimal(uintptr_t v) { return std::to_string(v); }
// A window handle as the host writes it into a variable: handles fit in 32
// bits on both processors, so both builds write the same unsigned decimal.
std::string HandleText(HWND h) { return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(h))); }

}  // namespace

bool NoCase::operator()(const std::string& a, const std::string& b) const {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x -= 32;
        if (y >= 'a' && y <= 'z') y -= 32;
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

bool EqualNoCase(const std::string& a, const std::string& b) { return !NoCase{}(a, b) && !NoCase{}(b, a); }

Host& Host::Instance() {
    static Host host;
    return host;
}

// ------------------------------------------------------------------ lifetime

bool Host::LoadOnly(const std::string& path) {
    Unload();
    module_ = ::LoadLibraryA(path.c_str());
    if (!module_) return false;
    InstallCountingHooks(module_, &ledger_);
    return true;
}

bool Host::Load(const std::string& path) {
    if (!LoadOnly(path)) return false;
    RegisterPlugIn();
    InitPlugIn();
    RegisterScriptProcessor();
    RegisterInterfaceAccess();
    return true;
}

void Host::Unload() {
    if (module_) ::FreeLibrary(module_);
    module_ = nullptr;
}

FARPROC Host::Export(const char* name) const { return module_ ? ::GetProcAddress(module_, name) : nullptr; }

#ifdef _WIN64
uint32_t Host::StackFaults() const { return 0; }  // the callers clean up: nothing to get wrong
#else
uint32_t Host::StackFaults() const { return hq_stack_faults; }
#endif

Word Host::Invoke(const char* exportName, std::initializer_list<Word> args) {
    static PVOID handler = ::AddVectoredExceptionHandler(1, LandingHandler);
    (void)handler;
    const FARPROC fn = Export(exportName);
    if (!fn) {
        lastError_ = std::string("the plug-in has no export ") + exportName;
        ++errorCount_;
        return 0;
    }
    const std::vector<Word> argv(args);
    lastError_.reset();
    lastForeign_.reset();
    lastRaised_.reset();

    Landing landing;
    landing.prev = t_landing;
    landing.sehHead = SehHead();
    if (__builtin_setjmp(landing.buf)) {
        // Resumed by a handler: registers are gone, reach state through t_landing.
        Landing* l = t_landing;
        SetSehHead(l->sehHead);
        t_landing = l->prev;
        Host& host = Instance();
        if (l->raised) {
            host.lastRaised_ = std::move(l->raised);
        } else if (l->foreign) {
            host.lastForeign_ = std::move(l->message);
            ++host.foreignCount_;
        } else {
            host.lastError_ = std::move(l->message);
            ++host.errorCount_;
        }
        return 0;
    }
    t_landing = &landing;
#ifdef _WIN64
    const Word result = hq_invoke(reinterpret_cast<const void*>(fn), argv.data(), argv.size());
    if (landing.raised) lastRaised_ = std::move(landing.raised);  // unwound to hq_invoke's landing
#else
    SehRecord record{landing.sehHead, reinterpret_cast<void*>(&hq_foreign_frame)};
    SetSehHead(&record);
    const Word result = hq_invoke(reinterpret_cast<const void*>(fn), argv.data(), argv.size());
    SetSehHead(landing.sehHead);
#endif
    t_landing = landing.prev;
    return result;
}

// ------------------------------------------------------------------ exports

void Host::RegisterPlugIn() {
    catalogue_.clear();
    Invoke("hqRegisterPlugIn", {U(reinterpret_cast<void*>(&hqcb_register_action)), Word{0x12345678u},
                                U(reinterpret_cast<void*>(&hqcb_get_variable)),
                                U(reinterpret_cast<void*>(&hqcb_set_variable))});
}

Identity Host::InitPlugIn() { return InitPlugIn(Identity{}); }

Identity Host::InitPlugIn(const Identity& prefill) {
    char* slots[3] = {nullptr, nullptr, nullptr};
    const std::string* texts[3] = {&prefill.name, &prefill.author, &prefill.description};
    for (int i = 0; i < 3; ++i)
        if (!texts[i]->empty()) slots[i] = ledger_.Give(*texts[i]);
    Invoke("hqInitPlugIn", {U(MainWindow()), U(&slots[0]), U(&slots[1]), U(&slots[2])});
    Identity id;
    id.name = ledger_.Take(slots[0]);
    id.author = ledger_.Take(slots[1]);
    id.description = ledger_.Take(slots[2]);
    return id;
}

void Host::InitPlugInRaw(char** slots) {
    Invoke("hqInitPlugIn", {U(MainWindow()), U(&slots[0]), U(&slots[1]), U(&slots[2])});
}

void Host::RegisterScriptProcessor() {
    Invoke("hqRegisterScriptProcessor", {U(reinterpret_cast<void*>(&hqcb_script_processor))});
}

void Host::RegisterInterfaceAccess() {
    Invoke("hqRegisterInterfaceAccess", {U(reinterpret_cast<void*>(&hqcb_interface_access))});
}

bool Host::ExecRaw(int32_t id, const char* const* params) {
    return (Invoke("hqExecAction", {static_cast<Word>(static_cast<uint32_t>(id)), U(params)}) & 0xFF) != 0;
}

bool Host::Exec(int32_t id, const std::vector<std::string>& params) {
    std::vector<const char*> list;
    for (const std::string& p : params) list.push_back(p.c_str());
    list.push_back(nullptr);  // never read: the plug-in reads only the registered count
    return ExecRaw(id, list.data());
}

bool Host::EditRaw(int32_t id, char** slots) {
    return (Invoke("hqEditAction", {static_cast<Word>(static_cast<uint32_t>(id)), U(slots)}) & 0xFF) != 0;
}

bool Host::Edit(int32_t id, std::vector<std::string>& params) {
    std::vector<char*> slots;
    for (const std::string& p : params) slots.push_back(ledger_.Give(p));
    slots.push_back(nullptr);
    const bool ok = EditRaw(id, slots.data());
    for (size_t i = 0; i < params.size(); ++i) params[i] = ledger_.Take(slots[i]);
    return ok;
}

void Host::Message(int32_t code) { Invoke("hqMessage", {static_cast<Word>(static_cast<uint32_t>(code))}); }

void Host::About() { Invoke("hqAbout", {}); }

// ------------------------------------------------------------------ variables

std::string Host::Var(const std::string& name) const {
    auto it = variables_.find(name);
    return it == variables_.end() ? std::string() : it->second;
}

void Host::SetVar(const std::string& name, const std::string& value) {
    variables_[name] = value;
    if (EqualNoCase(name, "[PubHeight]")) {
        char* end = nullptr;
        const long h = std::strtol(value.c_str(), &end, 10);
        if (!value.empty() && end && *end == '\0')
            SetPublicationHeight(static_cast<int>(h));
        else
            scriptErrors_.push_back("[PubHeight] is not a number: " + value);
    }
}

// ------------------------------------------------------------------ callbacks

void Host::OnRegisterAction(int32_t id, const char* name, const char* hint, const uint8_t* codes, int32_t high,
                            int32_t count) {
    CatalogueEntry e;
    e.id = id;
    e.name = name ? name : "";
    e.hintNull = hint == nullptr;
    e.hint = hint ? hint : "";
    e.highIndex = high;
    e.count = count;
    if (codes && high >= 0 && high < 64) e.codes.assign(codes, codes + high + 1);
    catalogue_.push_back(std::move(e));
}

void Host::OnGetVariable(const char* name, char** slot) {
    const std::string key = name ? name : "";
    callLog_.push_back("get " + key);
    if (*slot) scriptErrors_.push_back("get-variable: the value slot was not null on entry");
    auto it = variables_.find(key);
    // An unknown variable answers null, which the plug-in reads as empty text.
    *slot = it == variables_.end() ? nullptr : ledger_.Give(it->second);
}

void Host::OnSetVariable(const char* name, const char* value) {
    const std::string key = name ? name : "";
    const std::string text = value ? value : "";
    callLog_.push_back("set " + key + "=" + text);
    SetVar(key, text);
}

void Host::OnScript(const char* script) {
    const std::string text = script ? script : "";
    scripts_.push_back(text);
    RunHostScriptText(*this, text);
}

bool Host::OnInterfaceAccess(int32_t code, char** slot) {
    PickRequest req;
    req.code = code;
    req.slotNull = *slot == nullptr;
    req.slotText = *slot ? *slot : "";
    pickRequests_.push_back(req);

    PickAnswer answer;
    if (!pickAnswers_.empty()) {
        answer = pickAnswers_.front();
        pickAnswers_.pop_front();
        if (answer.expectCode && *answer.expectCode != code)
            scriptErrors_.push_back("interface access: expected code " + std::to_string(*answer.expectCode) +
                                    ", got " + std::to_string(code));
    } else if (interactive_) {
        auto picked = PickerWindow(code, req.slotText);
        answer.result = picked.has_value();
        answer.text = picked;
    } else {
        return false;
    }
    if (answer.text) {
        ledger_.Take(*slot);  // the host replaces the slot's block with its answer
        *slot = ledger_.Give(*answer.text);
    }
    return answer.result;
}

// ------------------------------------------------------------------ windows

HWND Host::MainWindow() {
    if (mainWindow_ && ::IsWindow(mainWindow_)) return mainWindow_;
    RegisterClasses();
    RECT r{0, 0, 480, 360};
    ::AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
    mainWindow_ = ::CreateWindowExW(0, kMainClass, L"hqhost", WS_OVERLAPPEDWINDOW, 40, 40, r.right - r.left,
                                    r.bottom - r.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(mainWindow_, SW_SHOWNOACTIVATE);
    ::UpdateWindow(mainWindow_);
    RECT c;
    ::GetClientRect(mainWindow_, &c);
    variables_["[PubHeight]"] = Decimal(c.bottom);
    variables_["[PubWidth]"] = Decimal(c.right);
    return mainWindow_;
}

void Host::SetPublicationHeight(int height) {
    HWND w = MainWindow();
    RECT win, client;
    ::GetWindowRect(w, &win);
    ::GetClientRect(w, &client);
    const int frame = (win.bottom - win.top) - client.bottom;
    ::SetWindowPos(w, nullptr, 0, 0, win.right - win.left, height + frame,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Host::CreateTextEntry(const std::string& name, int x, int y, int w, int h) {
    HWND edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, x, y, w, h,
                                  MainWindow(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    objects_[name] = edit;
    return edit;
}

HWND Host::CreateExternalWindow(const std::string& name, int x, int y, int w, int h) {
    RegisterClasses();
    HWND win = ::CreateWindowExW(0, kExternalClass, L"external", WS_OVERLAPPEDWINDOW, x, y, w, h, nullptr, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(win, SW_SHOWNOACTIVATE);
    objects_[name] = win;
    variables_["[" + name + ".WinHandle]"] = HandleText(win);
    return win;
}

void Host::AdoptObject(const std::string& name, HWND window) {
    objects_[name] = window;
    variables_["[" + name + ".WinHandle]"] = HandleText(window);
}

void Host::RaiseInNextCallback(Callback which, const std::string& prefix) {
    raiseIn_ = which;
    raisePrefix_ = prefix;
}

void Host::RaiseIfArmed(Callback which, const char* text) {
    if (raiseIn_ != which) return;
    if (!raisePrefix_.empty() && (!text || std::strncmp(text, raisePrefix_.c_str(), raisePrefix_.size()) != 0))
        return;
    raiseIn_.reset();
    ULONG_PTR params[7];
    for (int i = 0; i < 7; ++i) params[i] = kHostRaiseParams[i];
    ::RaiseException(kHostRaiseCode, EXCEPTION_NONCONTINUABLE, 7, params);
}

HWND Host::Object(const std::string& name) const {
    auto it = objects_.find(name);
    return it == objects_.end() ? nullptr : it->second;
}

void Host::ResetWindows() {
    DestroyObjects();
    if (mainWindow_) ::DestroyWindow(mainWindow_);
    mainWindow_ = nullptr;
}

void Host::DestroyObjects() {
    for (auto& [name, hwnd] : objects_) ::DestroyWindow(hwnd);
    objects_.clear();
}

}  // namespace hqhost

// ------------------------------------------------------------------ thunk targets
// No C++ exception may travel back into the plug-in's frames.

using hqhost::Host;
using hqhost::Word;

extern "C" Word hqhost_register_action(Word eax, Word edx, Word ecx, const Word* stack) {
    // Arguments: id, name, hint, codes, highIndex, count; the last pushed is stack[0].
    Host::Instance().RaiseIfArmed(Host::Callback::RegisterAction, nullptr);
    try {
        Host::Instance().OnRegisterAction(static_cast<int32_t>(eax), reinterpret_cast<const char*>(edx),
                                          reinterpret_cast<const char*>(ecx),
                                          reinterpret_cast<const uint8_t*>(stack[2]), static_cast<int32_t>(stack[1]),
                                          static_cast<int32_t>(stack[0]));
    } catch (...) {
    }
    return 0;
}

extern "C" Word hqhost_get_variable(Word eax, Word edx, Word, const Word*) {
    Host::Instance().RaiseIfArmed(Host::Callback::GetVariable, reinterpret_cast<const char*>(eax));
    try {
        Host::Instance().OnGetVariable(reinterpret_cast<const char*>(eax), reinterpret_cast<char**>(edx));
    } catch (...) {
    }
    return 0;
}

extern "C" Word hqhost_set_variable(Word eax, Word edx, Word, const Word*) {
    Host::Instance().RaiseIfArmed(Host::Callback::SetVariable, reinterpret_cast<const char*>(eax));
    try {
        Host::Instance().OnSetVariable(reinterpret_cast<const char*>(eax), reinterpret_cast<const char*>(edx));
    } catch (...) {
    }
    return 0;
}

extern "C" Word hqhost_script_processor(Word eax, Word, Word, const Word*) {
    Host::Instance().RaiseIfArmed(Host::Callback::Script, reinterpret_cast<const char*>(eax));
    try {
        Host::Instance().OnScript(reinterpret_cast<const char*>(eax));
    } catch (...) {
    }
    return 0;
}

extern "C" Word hqhost_interface_access(Word eax, Word edx, Word, const Word*) {
    Host::Instance().RaiseIfArmed(Host::Callback::InterfaceAccess, nullptr);
    try {
        return Host::Instance().OnInterfaceAccess(static_cast<int32_t>(eax), reinterpret_cast<char**>(edx)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

#ifdef _WIN64
// The 64-bit entry points: the plug-in calls them in the platform convention,
// arguments in declaration order. They hand the same words to the targets as
// the 32-bit thunks do (stack[0] is the last argument).
extern "C" {
void hqcb_register_action(Word id, Word name, Word hint, Word codes, Word high, Word count) {
    const Word stack[3] = {count, high, codes};
    hqhost_register_action(id, name, hint, stack);
}
void hqcb_get_variable(Word name, Word slot) { hqhost_get_variable(name, slot, 0, nullptr); }
void hqcb_set_variable(Word name, Word value) { hqhost_set_variable(name, value, 0, nullptr); }
void hqcb_script_processor(Word script) { hqhost_script_processor(script, 0, 0, nullptr); }
Word hqcb_interface_access(Word code, Word slot) { return hqhost_interface_access(code, slot, 0, nullptr); }
}
#endif
