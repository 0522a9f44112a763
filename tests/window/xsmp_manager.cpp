// A minimal X session manager for tests: it accepts one client over ICE and sends it the
// session's messages on command. Commands come one a line on standard input:
//   checkpoint  save-yourself without shutdown (a session save point), then save-complete
//   cancel      save-yourself with shutdown, then shutdown-cancelled (a logout called off)
//   logout      save-yourself with shutdown, then die
// What happens is printed one line each on standard output: "listening <SESSION_MANAGER>",
// "registered", "saved <1|0>", "cancelled", "died", "closed".
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

SmsConn g_client = nullptr;
IceConn g_ice = nullptr;
bool g_shutdown = false; // what the pending save-yourself was
std::string g_after;     // what follows the save: "complete", "cancel" or "die"

void Say(const char* line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

Bool AcceptAnyHost(char*)
{
    return True; // the listening sockets are local only
}

Status RegisterClient(SmsConn conn, SmPointer, char*)
{
    char* id = SmsGenerateClientID(conn);
    const Status status = SmsRegisterClientReply(conn, id);
    std::free(id);
    Say("registered");
    return status;
}

void SaveYourselfDone(SmsConn conn, SmPointer, Bool success)
{
    std::printf("saved %d\n", success ? 1 : 0);
    std::fflush(stdout);
    if (g_after == "complete") {
        SmsSaveComplete(conn);
    } else if (g_after == "cancel") {
        SmsShutdownCancelled(conn);
        Say("cancelled");
    } else if (g_after == "die") {
        SmsDie(conn);
        Say("died");
    }
    g_after.clear();
}

void InteractRequest(SmsConn conn, SmPointer, int)
{
    SmsInteract(conn); // let the client ask its user
}
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void Phase2Request(SmsConn conn, SmPointer)
{
    SmsSaveYourselfPhase2(conn);
}
void CloseConnection(SmsConn conn, SmPointer, int count, char** reasons)
{
    SmFreeReasons(count, reasons);
    SmsCleanUp(conn);
    g_client = nullptr;
    Say("closed");
}
void SetProperties(SmsConn, SmPointer, int count, SmProp** props)
{
    for (int i = 0; i < count; ++i)
        SmFreeProperty(props[i]);
    std::free(props);
}
void DeleteProperties(SmsConn, SmPointer, int count, char** names)
{
    for (int i = 0; i < count; ++i)
        std::free(names[i]);
    std::free(names);
}
void GetProperties(SmsConn conn, SmPointer)
{
    SmsReturnProperties(conn, 0, nullptr);
}

Status NewClient(SmsConn conn, SmPointer, unsigned long* mask, SmsCallbacks* cb, char**)
{
    g_client = conn;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
            SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
            SmsGetPropertiesProcMask;
    cb->register_client.callback = RegisterClient;
    cb->interact_request.callback = InteractRequest;
    cb->interact_done.callback = InteractDone;
    cb->save_yourself_request.callback = SaveYourselfRequest;
    cb->save_yourself_phase2_request.callback = Phase2Request;
    cb->save_yourself_done.callback = SaveYourselfDone;
    cb->close_connection.callback = CloseConnection;
    cb->set_properties.callback = SetProperties;
    cb->delete_properties.callback = DeleteProperties;
    cb->get_properties.callback = GetProperties;
    return 1;
}

void Command(const std::string& line)
{
    if (!g_client) {
        Say("no client");
        return;
    }
    if (line == "checkpoint") {
        g_shutdown = false;
        g_after = "complete";
    } else if (line == "cancel") {
        g_shutdown = true;
        g_after = "cancel";
    } else if (line == "logout") {
        g_shutdown = true;
        g_after = "die";
    } else {
        Say("unknown command");
        return;
    }
    SmsSaveYourself(g_client, SmSaveBoth, g_shutdown ? True : False, SmInteractStyleAny, False);
}

} // namespace

int main()
{
    char error[256] = "";
    if (!SmsInitialize("quillon-test", "1.0", NewClient, nullptr, AcceptAnyHost, sizeof error, error)) {
        std::fprintf(stderr, "SmsInitialize: %s\n", error);
        return 1;
    }
    int count = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&count, &listeners, sizeof error, error) || count == 0) {
        std::fprintf(stderr, "IceListenForConnections: %s\n", error);
        return 1;
    }
    // Only the local transports go into the address the client is given.
    std::string address;
    for (int i = 0; i < count; ++i) {
        IceSetHostBasedAuthProc(listeners[i], AcceptAnyHost);
        char* id = IceGetListenConnectionString(listeners[i]);
        if (std::strncmp(id, "local/", 6) == 0 || std::strncmp(id, "unix/", 5) == 0)
            address += (address.empty() ? "" : ",") + std::string(id);
        std::free(id);
    }
    std::printf("listening %s\n", address.c_str());
    std::fflush(stdout);

    std::string pending;
    for (;;) {
        std::vector<pollfd> fds;
        fds.push_back({STDIN_FILENO, POLLIN, 0});
        for (int i = 0; i < count; ++i)
            fds.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        if (g_ice)
            fds.push_back({IceConnectionNumber(g_ice), POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0)
            return 1;
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char buffer[256];
            const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (n <= 0)
                return 0; // the test is over
            pending.append(buffer, static_cast<std::size_t>(n));
            for (std::size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
                Command(pending.substr(0, nl));
                pending.erase(0, nl + 1);
            }
        }
        for (int i = 0; i < count; ++i) {
            if (!(fds[static_cast<std::size_t>(i) + 1].revents & POLLIN))
                continue;
            IceAcceptStatus status;
            IceConn conn = IceAcceptConnection(listeners[i], &status);
            if (!conn)
                continue;
            while (IceConnectionStatus(conn) == IceConnectPending)
                if (IceProcessMessages(conn, nullptr, nullptr) == IceProcessMessagesIOError)
                    break;
            if (IceConnectionStatus(conn) == IceConnectAccepted)
                g_ice = conn;
        }
        if (g_ice && (fds.back().revents & (POLLIN | POLLHUP))) {
            if (IceProcessMessages(g_ice, nullptr, nullptr) == IceProcessMessagesIOError) {
                IceCloseConnection(g_ice);
                g_ice = nullptr;
                if (g_client) {
                    SmsCleanUp(g_client);
                    g_client = nullptr;
                }
                Say("closed");
            }
        }
    }
}
