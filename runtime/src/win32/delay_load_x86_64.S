// FARPROC __wrap___delayLoadHelper2(const ImgDelayDescr* descriptor,
//                                   FARPROC* importEntry)
//
// What the delay-loading import thunks call at the first call of a function
// (the link wraps the MinGW runtime's __delayLoadHelper2 with this, see
// runtime/CMakeLists.txt). The x86_64 thunks that dlltool makes keep the
// integer argument registers across the binding, but not xmm0-xmm3, which
// carry floating-point arguments: the first call of VariantTimeToSystemTime,
// for one, would get whatever date loading the library left in xmm0. This
// keeps the four around the runtime's own binder.
#if defined(__x86_64__)
        .text
        .globl  __wrap___delayLoadHelper2
        .def    __wrap___delayLoadHelper2; .scl 2; .type 32; .endef
        .p2align 4
        .seh_proc __wrap___delayLoadHelper2
__wrap___delayLoadHelper2:
        subq    $0x68, %rsp             // shadow space and four 16-byte slots; aligned
        .seh_stackalloc 0x68
        .seh_endprologue
        movdqu  %xmm0, 0x20(%rsp)
        movdqu  %xmm1, 0x30(%rsp)
        movdqu  %xmm2, 0x40(%rsp)
        movdqu  %xmm3, 0x50(%rsp)
        call    __real___delayLoadHelper2   // rcx, rdx passed on; rax: the function
        movdqu  0x20(%rsp), %xmm0
        movdqu  0x30(%rsp), %xmm1
        movdqu  0x40(%rsp), %xmm2
        movdqu  0x50(%rsp), %xmm3
        addq    $0x68, %rsp
        ret
        .seh_endproc
#endif
