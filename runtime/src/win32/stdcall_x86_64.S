// int rt_call_stdcall_checked(const void* fn, const uint64_t* args, int count,
//                             uint64_t* result)
//
// The 64-bit twin of stdcall_i686.S. Microsoft x64 has one convention: the
// first four arguments in rcx, rdx, r8, r9, the rest on the stack above the
// 32-byte shadow space, and the caller removes them. The stack pointer is
// still compared after the call, so a callee that leaves it moved is caught
// the same way.
#if defined(__x86_64__)
        .text
        .globl  rt_call_stdcall_checked
        .def    rt_call_stdcall_checked; .scl 2; .type 32; .endef
        .p2align 4
        .seh_proc rt_call_stdcall_checked
rt_call_stdcall_checked:
        pushq   %rbp
        .seh_pushreg %rbp
        pushq   %rbx
        .seh_pushreg %rbx
        pushq   %rsi
        .seh_pushreg %rsi
        pushq   %rdi
        .seh_pushreg %rdi
        pushq   %r12
        .seh_pushreg %r12
        movq    %rsp, %rbp              // 16-byte aligned here: 5 pushes + return address
        .seh_setframe %rbp, 0
        .seh_endprologue

        movq    %rcx, %r10              // fn
        movq    %rdx, %rsi              // args
        movslq  %r8d, %rbx              // count
        movq    %r9, %r12               // result
        testq   %rbx, %rbx
        jge     1f
        xorl    %ebx, %ebx
1:
        // Stack arguments beyond the fourth, plus the shadow space, rounded
        // up to keep rsp 16-byte aligned at the call.
        movq    %rbx, %rax
        subq    $4, %rax
        jge     2f
        xorl    %eax, %eax
2:      leaq    47(,%rax,8), %rcx       // 32 + 8*n + 15
        andq    $-16, %rcx
        subq    %rcx, %rsp

        // args[4..count-1] -> 32(%rsp) ...
        xorl    %ecx, %ecx
3:      cmpq    %rax, %rcx
        jge     4f
        movq    32(%rsi,%rcx,8), %rdx
        movq    %rdx, 32(%rsp,%rcx,8)
        incq    %rcx
        jmp     3b
4:
        movq    %rsp, %rdi              // noted depth; rdi survives the call
        xorl    %ecx, %ecx
        xorl    %edx, %edx
        xorl    %r8d, %r8d
        xorl    %r9d, %r9d
        cmpq    $1, %rbx
        jl      5f
        movq    (%rsi), %rcx
        cmpq    $2, %rbx
        jl      5f
        movq    8(%rsi), %rdx
        cmpq    $3, %rbx
        jl      5f
        movq    16(%rsi), %r8
        cmpq    $4, %rbx
        jl      5f
        movq    24(%rsi), %r9
5:      call    *%r10

        xorl    %ecx, %ecx
        cmpq    %rdi, %rsp
        sete    %cl
        testq   %r12, %r12
        jz      6f
        movq    %rax, (%r12)
6:      movl    %ecx, %eax
        leaq    0(%rbp), %rsp
        popq    %r12
        popq    %rdi
        popq    %rsi
        popq    %rbx
        popq    %rbp
        ret
        .seh_endproc
#endif
