// Built into every sanitized executable (see ox_target_defaults), so that the
// test programs, the demo and anything a script starts from the sanitized
// build get these settings whoever runs them. ASAN_OPTIONS in the environment
// still overrides them one by one.
//
// intercept_tls_get_addr=0: the __tls_get_addr interceptor of GCC 12's
// sanitizer runtime takes any dynamic TLS block that starts 16 bytes into a
// page for one laid out by glibc before 2.25, and reads the two words before
// it as the block's start and size. Mesa's llvmpipe reaches LLVM's dynamic TLS
// when it compiles a shader (so with a cold shader cache), and whether that
// block lands at such an offset depends on every allocation made before it;
// when it does, LeakSanitizer scans a bogus range at exit and its tracer
// crashes. The price of switching the interceptor off: dynamic TLS blocks are
// no longer scanned as roots of the leak check. Only libraries loaded at run
// time have such blocks here (the GL driver and LLVM); our own code keeps
// nothing there, so no leak of ours can hide behind it.
//
// verify_asan_link_order=0: --renderdoc restarts the program with RenderDoc
// first in LD_PRELOAD, ahead of the sanitizer's runtime; the runtime still
// intercepts what it must, as with the soak's preloaded probe.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0:verify_asan_link_order=0";
}
