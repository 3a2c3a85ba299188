// Fault injection for a loaded module's imports: every import routed through
// the host's wrappers (counting.cpp for GDI, USER and global memory, faults.cpp
// for the C runtime allocator, files, clipboard and GDI+ start-up) is a "site".
// While armed, the injector counts each site's calls made on the arming thread
// and can make the k-th call of one site fail the way the system documents
// (null or FALSE result, last error or errno set). It also keeps the module's
// live heap blocks and file handles, so leaks and double frees are visible.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hqhost {

struct SiteCalls {
    std::string site;
    unsigned calls = 0;
};

namespace faults {

// Starts a run: all call counts back to zero, counting on the calling thread,
// a new heap generation. `failSite`/`failCall` name the call to fail (empty or 0: none).
void Arm(std::string_view failSite = {}, unsigned failCall = 0);
// While armed: the next call of `site` fails (for spies that pick a moment).
void FailNext(std::string_view site);
// Stops counting and failing; counts stay readable until the next Arm.
void Disarm();
bool Armed();
// Whether the planned failure happened in this run.
bool Tripped();
// Calls per site since Arm, in the order each site was first called.
std::vector<SiteCalls> Calls();

// Live heap blocks the module allocated since the last Arm (malloc, calloc,
// realloc, _strdup), and their total size.
size_t HeapBlocksSinceArm();
size_t HeapBytesSinceArm();
// Those blocks, each as its size and the allocating call's offset in the
// module's image (`moduleBase`; look the offset up in its symbols).
std::string DescribeHeapSinceArm(const void* moduleBase);
// Every live heap block the module allocated, whenever.
size_t LiveHeapBlocks();
// File handles the module opened (CreateFileA/W) and has not closed.
size_t LiveFiles();
// Frees of blocks the module had already freed (refused, not forwarded).
const std::vector<std::string>& HeapFaults();
void ClearHeapFaults();

// Internal, for the wrappers: counts one call of `site`; true when it must fail.
bool Trip(const char* site);
// Replacement for an import the fault module wraps itself, or null; keeps
// `original` (the slot's target before patching) for the wrapper to call.
void* FindHook(std::string_view name, void* original);

}  // namespace faults
}  // namespace hqhost
