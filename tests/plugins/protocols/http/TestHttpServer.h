#pragma once

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace velmar::test {

// The test's own server (test_server.py) on 127.0.0.1, started here and stopped with the
// object. HTTPS when a certificate and key are given.
class TestHttpServer {
public:
    TestHttpServer(const std::string& root, const std::string& uploads,
                   const std::string& cert = "", const std::string& key = "") {
        int out[2];
        if (pipe(out) != 0)
            throw std::runtime_error("pipe failed");
        std::vector<std::string> args = {"python3", VELMAR_TEST_SERVER, "--root",
                                         root,      "--uploads",        uploads};
        if (!cert.empty())
            args.insert(args.end(), {"--cert", cert, "--key", key});
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], 1);
            close(out[0]);
            std::vector<char*> argv;
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execvp("python3", argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* reader = fdopen(out[0], "r");
        int port = 0;
        if (reader == nullptr || fscanf(reader, "PORT %d", &port) != 1) {
            stop();
            throw std::runtime_error("test server did not start");
        }
        fclose(reader);
        m_base =
            std::string(cert.empty() ? "http" : "https") + "://127.0.0.1:" + std::to_string(port);
    }
    ~TestHttpServer() { stop(); }
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    std::string url(const std::string& path) const { return m_base + path; }

private:
    void stop() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }
    pid_t m_pid = -1;
    std::string m_base;
};

}  // namespace velmar::test
