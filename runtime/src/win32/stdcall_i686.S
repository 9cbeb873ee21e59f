// int rt_call_stdcall_checked(const void* fn, const uint32_t* args, int count,
//                             uint32_t* result)
//
// Notes the stack pointer, pushes args[count-1] .. args[0], calls fn and
// compares the stack pointer with the noted one: a stdcall function removes
// exactly its own arguments, so any difference means the callee's idea of
// its arguments disagrees with ours. The noted value is put back either way
// so that the caller survives to report the fault.
#if defined(__i386__)
        .text
        .globl  _rt_call_stdcall_checked
        .def    _rt_call_stdcall_checked; .scl 2; .type 32; .endef
        .p2align 4
_rt_call_stdcall_checked:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        movl    12(%ebp), %esi          // args
        movl    16(%ebp), %ecx          // count
        movl    %esp, %edi              // noted depth; edi survives the call
        testl   %ecx, %ecx
        jle     2f
1:      pushl   -4(%esi,%ecx,4)         // last argument first
        decl    %ecx
        jnz     1b
2:      call    *8(%ebp)
        xorl    %ecx, %ecx
        cmpl    %edi, %esp
        sete    %cl
        movl    %edi, %esp
        movl    20(%ebp), %edx          // result
        testl   %edx, %edx
        jz      3f
        movl    %eax, (%edx)
3:      movl    %ecx, %eax
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret
#endif
