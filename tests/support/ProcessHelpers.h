#pragma once

#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace velmar::test {

// Runs `body` in a forked child, for state that lives once per process (the plugin's
// logger); the test fails unless the child recorded no failure.
template <typename Body>
void inFreshProcess(Body body) {
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

// What a command prints on standard output.
inline std::string commandOutput(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()) != nullptr)
        out += buffer;
    return out;
}

// True when the library's dynamic symbol table has `symbol` as initialised data.
inline bool exportsDataSymbol(const std::string& library, const std::string& symbol) {
    return commandOutput("nm -D " + library).find(" D " + symbol + "\n") != std::string::npos;
}

}  // namespace velmar::test
