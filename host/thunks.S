/* The host's side of the plug-in's register convention, written from the
 * convention itself: the first three 32-bit arguments travel in EAX, EDX and
 * ECX, further ones are pushed left to right, the callee removes them, and the
 * result comes back in EAX (a Boolean in AL). EBX, ESI, EDI and EBP survive.
 */
    .text

/* uint32_t hq_invoke(const void* fn, const uint32_t* args, uint32_t count)
 * (cdecl) calls fn with count arguments in the register convention.
 * If fn does not remove exactly its stack arguments, hq_stack_faults is
 * incremented and the stack pointer is put right. */
    .globl _hq_invoke
_hq_invoke:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 8(%ebp), %ebx          /* fn */
    movl 12(%ebp), %esi         /* args */
    movl 16(%ebp), %edi         /* count */
    movl $3, %ecx
1:  cmpl %edi, %ecx             /* push args[3..count-1], left to right */
    jae 2f
    pushl (%esi,%ecx,4)
    incl %ecx
    jmp 1b
2:  xorl %eax, %eax
    xorl %edx, %edx
    xorl %ecx, %ecx
    cmpl $1, %edi
    jb 3f
    movl (%esi), %eax
    cmpl $2, %edi
    jb 3f
    movl 4(%esi), %edx
    cmpl $3, %edi
    jb 3f
    movl 8(%esi), %ecx
3:  call *%ebx
    leal -12(%ebp), %ecx        /* where the callee must have left ESP */
    cmpl %ecx, %esp
    je 4f
    incl _hq_stack_faults
    movl %ecx, %esp
4:  popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret

/* Callback entry points. Each receives the register convention and calls
 *   uint32_t target(uint32_t eax, uint32_t edx, uint32_t ecx, const uint32_t* stack)
 * (cdecl), where stack[0] is the last argument pushed (the last one declared),
 * then returns removing its own stack arguments. */
.macro CALLBACK name, target, nstack
    .globl \name
\name:
    pushl %ebp
    movl %esp, %ebp
    pushl %eax
    leal 8(%ebp), %eax
    xchgl %eax, (%esp)          /* stack pointer argument, EAX restored */
    pushl %ecx
    pushl %edx
    pushl %eax
    call \target
    addl $16, %esp
    popl %ebp
    ret $(4*\nstack)
.endm

    CALLBACK _hqcb_register_action, _hqhost_register_action, 3
    CALLBACK _hqcb_get_variable, _hqhost_get_variable, 0
    CALLBACK _hqcb_set_variable, _hqhost_set_variable, 0
    CALLBACK _hqcb_script_processor, _hqhost_script_processor, 0
    CALLBACK _hqcb_interface_access, _hqhost_interface_access, 0

    .data
    .globl _hq_stack_faults
_hq_stack_faults:
    .long 0
