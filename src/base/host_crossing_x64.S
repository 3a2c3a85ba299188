/* The 64-bit crossing into the host (see host_crossing.h).
 *
 * int hq_cross(void (*call)(void*), void* context, HostExceptionRecord* out)
 * calls call(context) and answers 1; hq_crossing_frame, the handler of this
 * frame, takes an exception raised within the call, keeps its record in *out
 * (which this frame holds 48 bytes above its stack pointer), unwinds the
 * frames between and resumes at hq_cross_landing with eax = 0. */
    .text
    .globl hq_cross
    .globl hq_cross_landing
    .def hq_cross; .scl 2; .type 32; .endef
    .seh_proc hq_cross
hq_cross:
    subq $56, %rsp              /* shadow space, `out`, 16-byte alignment */
    .seh_stackalloc 56
    .seh_endprologue
    .seh_handler hq_crossing_frame, @except
    movq %r8, 48(%rsp)
    movq %rcx, %rax             /* call */
    movq %rdx, %rcx             /* context */
    callq *%rax
    movl $1, %eax
hq_cross_landing:
    addq $56, %rsp
    ret
    .seh_endproc
