// Where POSIX pipes live and who may use them.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/test_dirs.h"
#include "tests/link/link_test_kit.h"

using linktest::errorOf;
using namespace std::chrono_literals;

namespace {

using PosixPipeTest = linktest::PipeTest;

std::string pipeDir() {
    return std::getenv("SKELDA_PIPE_DIR");
}

sockaddr_un socketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    return address;
}

TEST_F(PosixPipeTest, SocketLivesInAPrivateDirectory) {
    ServerPipe server(name);
    struct stat info;
    ASSERT_EQ(::stat(pipeDir().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(detail::systemPipeName(name).c_str(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
}

TEST_F(PosixPipeTest, DirectoryOpenToOthersIsRefused) {
    ASSERT_EQ(::mkdir(pipeDir().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(pipeDir().c_str(), 0755), 0);
    const std::string serverError = errorOf([&] { ServerPipe server(name); });
    EXPECT_NE(serverError.find("is not private to this user\nas a result of CreateNamedPipe"),
              std::string::npos)
        << serverError;
    const std::string clientError = errorOf([&] { openClientStream(name); });
    EXPECT_NE(clientError.find("is not private to this user\nas a result of WaitNamedPipe"),
              std::string::npos)
        << clientError;
}

TEST_F(PosixPipeTest, StaleSocketOfADeadServerIsReplaced) {
    { ServerPipe first(name); }
    // Leave a socket file behind with nobody listening, as a crashed server would.
    ASSERT_EQ(::mkdir(pipeDir().c_str(), 0700) == 0 || errno == EEXIST, true);
    sockaddr_un address = socketAddress(detail::systemPipeName(name));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    EXPECT_FALSE(ClientPipe(name).isAvailable());

    ServerPipe second(name);
    EXPECT_TRUE(ClientPipe(name).isAvailable());
}

// The listen queue holds them all: each client waits for its turn and is answered.
TEST_F(PosixPipeTest, TwoHundredClientsAtOnceAreAllAnswered) {
    linktest::TestServer server(name);
    constexpr int kClients = 200;
    std::atomic<bool> go{false};
    std::atomic<int> answered{0};
    std::vector<std::string> failures(kClients);
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i)
        clients.emplace_back([&, i] {
            while (!go) std::this_thread::yield();
            failures[i] = errorOf([&] {
                linktest::readActions(
                    linktest::ask(name, linktest::messageBytes(MessageType::PossibleActions)));
            });
            if (failures[i] == "no error") ++answered;
        });
    go = true;
    for (std::thread& client : clients) client.join();
    EXPECT_EQ(answered, kClients);
    for (const std::string& failure : failures) EXPECT_EQ(failure, "no error");
}

// A server that never accepts: once its queue is full, a client waits for room until the plug-in
// pipe's wait runs out, then fails as a client of a busy instance does.
TEST_F(PosixPipeTest, ClientOfAFullQueueFailsAtItsWaitDeadline) {
    ASSERT_EQ(::mkdir(pipeDir().c_str(), 0700), 0);
    sockaddr_un address = socketAddress(detail::systemPipeName(kPluginPipeName));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    std::vector<int> queued;
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ASSERT_EQ(errno, EAGAIN);
            ::close(fd);
            break;
        }
        queued.push_back(fd);
        ASSERT_LT(queued.size(), 100u);
    }
    const auto start = std::chrono::steady_clock::now();
    const std::string error = errorOf([] { openClientStream(kPluginPipeName); });
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(linktest::isSystemError(error, "WaitNamedPipe")) << error;
    EXPECT_NE(error.find(std::strerror(EAGAIN)), std::string::npos) << error;
    EXPECT_GE(waited, ServerPipe::kDefaultClientWait);
    EXPECT_LT(waited, 5s);
    EXPECT_FALSE(ClientPipe(kPluginPipeName).isAvailable());
    for (int fd : queued) ::close(fd);
    ::close(listener);
}

TEST_F(PosixPipeTest, PeerOfAnotherUserIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to connect as another user";
    ServerPipe server(name);
    // Open the way for the stranger, so that only the server's own check stands in between.
    const std::string path = detail::systemPipeName(name);
    ASSERT_EQ(::chmod(pipeDir().c_str(), 0711), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0777), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setuid(65534) != 0) ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = socketAddress(path);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(3);
        const char request[] = "\x02\0\0\0hi";
        ::_exit(::write(fd, request, 6) == 6 ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    std::string request;
    const std::string error = errorOf([&] { server.receive(request); });
    EXPECT_NE(error.find("as a result of ConnectNamedPipe"), std::string::npos) << error;
    EXPECT_TRUE(request.empty());
}

}  // namespace
