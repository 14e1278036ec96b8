#include "PrinterProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef PLINTOR_PRINTER_PROGRAM
#define PLINTOR_PRINTER_PROGRAM "plintor-printer"
#endif

namespace plintor::test {

namespace fs = std::filesystem;

int FreeLoopbackPort()
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}
using Clock = std::chrono::steady_clock;

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string MakeTempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "plintor-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}

}

CPrinterProcess::CPrinterProcess(Setup setup) : folder(MakeTempFolder())
{
    if (folder.empty())
        return;
    usbFolder = setup.usbFolder.empty() ? folder + "/usb" : setup.usbFolder;
    std::string readyFile = folder + "/ready";
    std::vector<std::string> arguments = {
        std::string(PLINTOR_BIN_DIR) + "/" PLINTOR_PRINTER_PROGRAM,
        "--bind", setup.bind, "--pjl-port", "0",
        "--log", folder + "/log", "--ready-file", readyFile,
    };
    if (setup.usb || !setup.usbFolder.empty()) {
        arguments.push_back("--usb");
        arguments.push_back(usbFolder);
    }
    arguments.insert(arguments.end(), setup.arguments.begin(), setup.arguments.end());

    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::string output = folder + "/output";
    pid = fork();
    if (pid == 0) {
        int sink = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (sink >= 0) {
            dup2(sink, 1);
            dup2(sink, 2);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return;

    auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        if (fs::exists(readyFile)) {
            std::istringstream lines(ReadFile(readyFile));
            std::string line;
            while (std::getline(lines, line)) {
                auto equals = line.find('=');
                std::string key = line.substr(0, equals);
                std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
                if (key == "pjl-port")
                    port = std::atoi(value.c_str());
                else if (key == "snmp-port")
                    snmpPort = std::atoi(value.c_str());
                else if (key == "usb-device")
                    usbDevice = value;
            }
            ready = port > 0;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

CPrinterProcess::~CPrinterProcess()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        auto deadline = Clock::now() + std::chrono::seconds(5);
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        // A printer that crashed, or that a sanitizer stopped, fails the test that ran it.
        bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (!clean)
            ADD_FAILURE() << "the stand-in printer did not end cleanly (status " << status << "):\n"
                          << ReadFile(folder + "/output");
    }
    std::error_code ignored;
    if (!folder.empty())
        fs::remove_all(folder, ignored);
}

platform::UsbRoots CPrinterProcess::UsbRoots() const
{
    platform::UsbRoots roots;
    roots.sysRoot = usbFolder + "/sys";
    roots.devRoot = usbFolder + "/dev";
    return roots;
}

std::string CPrinterProcess::Log() const
{
    return ReadFile(folder + "/log");
}

std::string CPrinterProcess::WaitForLog(std::size_t bytes, std::chrono::milliseconds bound) const
{
    auto deadline = Clock::now() + bound;
    std::string log = Log();
    while (log.size() < bytes && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        log = Log();
    }
    return log;
}

bool CPrinterProcess::WaitForPath(const std::string& path, std::chrono::milliseconds bound)
{
    auto deadline = Clock::now() + bound;
    std::error_code ignored;
    while (!fs::exists(path, ignored)) {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}
