#pragma once

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// The real game binary, started in a folder that holds data/, with its
// standard output collected through a pipe.
class GameProcess {
public:
    GameProcess(const std::string& binary, const std::string& workingDirectory) {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], 1);
            close(fds[0]);
            close(fds[1]);
            if (chdir(workingDirectory.c_str()) != 0) _exit(127);
            execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        outFd = fds[0];
        fcntl(outFd, F_SETFL, O_NONBLOCK);
    }
    ~GameProcess() {
        if (running()) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (outFd >= 0) close(outFd);
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool running() {
        if (pid <= 0 || exited) return false;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return !exited;
    }

    // Standard output so far.
    const std::string& output() {
        char chunk[4096];
        for (ssize_t n; (n = read(outFd, chunk, sizeof chunk)) > 0;)
            out.append(chunk, static_cast<std::size_t>(n));
        return out;
    }

    // Waits until the process ends; its exit status, or -1 if it is still
    // running after `seconds`.
    int waitExit(double seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (running() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        output();
        return running() ? -1 : exitStatus;
    }

    // Waits until the game's window exists; false at once if the game has
    // exited. Polls rather than trusting one `xdotool search --sync`, which
    // can give up at once when another window comes or goes during its search.
    bool waitForWindow(double seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (running() && std::chrono::steady_clock::now() < end) {
            if (std::system("xdotool search --name '^Coilrun$' >/dev/null 2>&1") == 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // Waits until standard output holds a whole line for which `accept` is
    // true; false after `seconds`.
    template <typename Accept> bool waitForLine(double seconds, Accept accept) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end) {
            const std::string& text = output();
            std::size_t start = 0;
            for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
                if (accept(text.substr(start, nl - start))) return true;
            if (!running()) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    // Frame-rate lines printed so far, each about a second of frames.
    int rateLines() {
        const std::string& text = output();
        int lines = 0;
        std::size_t start = 0;
        for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
            const std::size_t n = nl - start;
            lines += n > 0 && n < 10 && text.find_first_not_of("0123456789", start) >= nl;
        }
        return lines;
    }

    // Waits until `lines` more frame-rate lines have been printed: the second
    // one proves that whole frames ran after the call. False after `seconds`
    // or when the game has exited.
    bool waitForRateLines(int lines, double seconds) {
        const int target = rateLines() + lines;
        waitUntil(seconds, [&] { return rateLines() >= target || !running(); });
        return rateLines() >= target;
    }

    // Holds `key` down (an xdotool key name, sent through XTEST) until `done`
    // is true or `seconds` have passed, then lets it go; returns `done`'s last
    // answer. The game reads the keyboard once a frame and acts on a press
    // once however long it is held, so holding until the effect shows works
    // at any frame rate, where a fixed hold can fall between two reads.
    template <typename Done> bool holdKeyUntil(const std::string& key, double seconds, Done done) {
        if (std::system(("xdotool keydown " + key).c_str()) != 0) return false;
        const bool seen = waitUntil(seconds, done);
        const bool released = std::system(("xdotool keyup " + key).c_str()) == 0;
        return seen && released;
    }

    // Holds Escape until the game exits; its exit status, or -1 if it is
    // still running after `seconds`.
    int quitWithEscape(double seconds) {
        holdKeyUntil("Escape", seconds, [&] { return !running(); });
        return waitExit(1);
    }

    // Polls `done` until it is true; false once `seconds` have passed.
    template <typename Done> static bool waitUntil(double seconds, Done done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (!done()) {
            if (std::chrono::steady_clock::now() >= end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

private:
    pid_t pid = -1;
    int outFd = -1;
    std::string out;
    bool exited = false;
    int exitStatus = -1;
};
