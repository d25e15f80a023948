// Every test process runs in a home of its own, so nothing a test writes
// reaches the developer's real folders and nothing left from another run leaks in.
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// The sanitizer runtime of clang 14 can take a dynamic TLS block for a
// header of a glibc older than 2.25 when the block happens to lie at one
// offset in its page; the leak check's tracer then reads garbage and dies at
// exit with no leak found. Not intercepting __tls_get_addr avoids the guess.
extern "C" const char* __asan_default_options()
{
    return "intercept_tls_get_addr=0";
}
#endif
#endif

int main(int argc, char** argv)
{
    // Headless by default: a real but invisible GL context and a silent audio
    // device. A caller that sets these itself (a test of another driver) wins.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("LP_NUM_THREADS", "2", 0);
    testing::InitGoogleTest(&argc, argv);
    corvellan::test::TempFolder home;
    setenv("HOME", home.Path().c_str(), 1);
    setenv("XDG_DATA_HOME", (home.Path() + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home.Path() + "/config").c_str(), 1);
    return RUN_ALL_TESTS();
}
