/* The 64-bit host's call into the plug-in. The platform convention needs no
 * translation; this frame exists for its handler: hq_foreign_frame sees every
 * exception that no handler inside the call dealt with, as the 32-bit host's
 * frame on the thread's exception chain does.
 *
 * uintptr_t hq_invoke(const void* fn, const uintptr_t* args, size_t count)
 * calls fn with args[0..count-1] (count at most 4) in RCX, RDX, R8, R9. */
    .text
    .globl hq_invoke
    .def hq_invoke; .scl 2; .type 32; .endef
    .seh_proc hq_invoke
hq_invoke:
    subq $40, %rsp              /* shadow space for the callee, 16-byte aligned */
    .seh_stackalloc 40
    .seh_endprologue
    .seh_handler hq_foreign_frame, @except
    movq %rcx, %rax             /* fn */
    movq %rdx, %r10             /* args */
    movq %r8, %r11              /* count */
    xorl %ecx, %ecx
    xorl %edx, %edx
    xorl %r8d, %r8d
    xorl %r9d, %r9d
    cmpq $1, %r11
    jb 1f
    movq (%r10), %rcx
    cmpq $2, %r11
    jb 1f
    movq 8(%r10), %rdx
    cmpq $3, %r11
    jb 1f
    movq 16(%r10), %r8
    cmpq $4, %r11
    jb 1f
    movq 24(%r10), %r9
1:  callq *%rax
    nop                         /* keeps the return address inside this frame */
    .globl hq_invoke_landing
hq_invoke_landing:              /* the host's own exception unwinds to here, rax = 0 */
    addq $40, %rsp
    ret
    .seh_endproc
