#include "CupsServer.h"

#include "Lab.h"
#include "PrinterProcess.h"

#include <cups/cups.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace plintor::test {

namespace {

const char* kCupsd = "/usr/sbin/cupsd";

bool Accepts(int port)
{
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(fd);
    return ok;
}

}

std::string CupsServer::SkipReason()
{
    if (access(kCupsd, X_OK) != 0)
        return "needs cupsd (Debian package cups)";
    if (access("/usr/lib/cups/backend/socket", X_OK) != 0)
        return "needs the CUPS socket backend (Debian package cups)";
    if (access("/usr/sbin/lpadmin", X_OK) != 0 || access("/usr/bin/lp", X_OK) != 0)
        return "needs lpadmin and lp (Debian packages cups, cups-client)";
    return {};
}

CupsServer::~CupsServer()
{
    Stop();
}

bool CupsServer::Start()
{
    char pattern[] = "/tmp/plintor-cups-XXXXXX";
    if (!mkdtemp(pattern))
        return false;
    folder = pattern;
    // The backends run as user lp and read the spooled files below this folder.
    chmod(folder.c_str(), 0755);
    for (const char* sub : {"spool", "tmp", "cache", "state", "ppd", "ssl"})
        std::filesystem::create_directories(folder + "/" + sub);
    port = FreeLoopbackPort();
    address = "127.0.0.1:" + std::to_string(port);
    std::ofstream(folder + "/cups-files.conf")
        << "ServerRoot " << folder << "\nRequestRoot " << folder << "/spool\nTempDir " << folder
        << "/tmp\nCacheDir " << folder << "/cache\nStateDir " << folder << "/state\n"
        << "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\nDocumentRoot /usr/share/cups/doc-root\n"
        << "AccessLog " << folder << "/access_log\nErrorLog " << folder << "/error_log\nPageLog "
        << folder << "/page_log\nFileDevice No\n";
    // LogLevel info: the error log then tells when a queue was stopped and started.
    std::ofstream(folder + "/cupsd.conf")
        << "Listen " << address << "\nLogLevel info\nBrowsing No\nWebInterface No\n"
        << "DefaultAuthType None\nMaxJobs 100\nPreserveJobFiles No\n"
        << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    return Launch();
}

bool CupsServer::Resume()
{
    return !folder.empty() && pid < 0 && Launch();
}

bool CupsServer::Launch()
{
    pid = fork();
    if (pid == 0) {
        std::string conf = folder + "/cupsd.conf";
        std::string files = folder + "/cups-files.conf";
        execl(kCupsd, kCupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0)
        return false;
    for (int i = 0; i < 200; ++i) {
        if (Accepts(port))
            return true;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pid = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void CupsServer::Stop()
{
    Halt();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        folder.clear();
    }
}

void CupsServer::Halt()
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) != pid; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        pid = -1;
    }
}

int CupsServer::Tool(const std::string& name, std::vector<std::string> arguments) const
{
    std::string path = name == "lpadmin" || name == "cupsdisable" || name == "cupsenable"
        ? "/usr/sbin/" + name : "/usr/bin/" + name;
    std::vector<std::string> argv = {path, "-h", address};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProgram(argv);
}

bool CupsServer::AddQueue(const std::string& name, const std::string& deviceUri) const
{
    return Tool("lpadmin", {"-p", name, "-E", "-v", deviceUri, "-m", "raw"}) == 0;
}

bool CupsServer::Paused(const std::string& queue) const
{
    http_t* http = httpConnect2("127.0.0.1", port, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, 5000,
                                nullptr);
    if (!http)
        return false;
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ipp_t* response = cupsDoRequest(http, request, "/");
    ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
    bool paused = state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
    ippDelete(response);
    httpClose(http);
    return paused;
}

}
