// The Windows socket error number of a failure that Asio reports, on
// either build: the only place where the two systems' numbers differ.
#include "platform/SocketErrorNumbers.h"

#include <boost/asio/error.hpp>
#include <cerrno>

#ifndef _WIN32
#include <netdb.h>
#endif

namespace pellinor {
namespace {

#ifdef _WIN32
// Asio hands over Winsock numbers as they are; a few completions of
// overlapped calls still carry the general Windows code of the same failure.
int FromSystem(int value) {
    switch (value) {
        case 64:
            return 10054;  // ERROR_NETNAME_DELETED
        case 121:
            return 10060;  // ERROR_SEM_TIMEOUT
        case 1225:
            return 10061;  // ERROR_CONNECTION_REFUSED
        case 1231:
            return 10051;  // ERROR_NETWORK_UNREACHABLE
        case 1232:
            return 10065;  // ERROR_HOST_UNREACHABLE
        case 1234:
            return 10061;  // ERROR_PORT_UNREACHABLE
        case 1236:
            return 10053;  // ERROR_CONNECTION_ABORTED
        default:
            return value;
    }
}
#else
// The Winsock numbers are the Berkeley ones plus 10000; Linux numbers its
// errno values differently, so each one is named.
int FromSystem(int value) {
    switch (value) {
        case EINTR:
            return 10004;
        case EBADF:
            return 10009;
        case EACCES:
            return 10013;
        case EPERM:
            return 10013;
        case EFAULT:
            return 10014;
        case EINVAL:
            return 10022;
        case EMFILE:
            return 10024;
        case EWOULDBLOCK:
            return 10035;
        case EINPROGRESS:
            return 10036;
        case EALREADY:
            return 10037;
        case ENOTSOCK:
            return 10038;
        case EDESTADDRREQ:
            return 10039;
        case EMSGSIZE:
            return 10040;
        case EPROTOTYPE:
            return 10041;
        case ENOPROTOOPT:
            return 10042;
        case EPROTONOSUPPORT:
            return 10043;
        case ESOCKTNOSUPPORT:
            return 10044;
        case EOPNOTSUPP:
            return 10045;
        case EPFNOSUPPORT:
            return 10046;
        case EAFNOSUPPORT:
            return 10047;
        case EADDRINUSE:
            return 10048;
        case EADDRNOTAVAIL:
            return 10049;
        case ENETDOWN:
            return 10050;
        case ENETUNREACH:
            return 10051;
        case ENETRESET:
            return 10052;
        case ECONNABORTED:
            return 10053;
        case ECONNRESET:
            return 10054;
        case EPIPE:
            return 10054;  // a send after the peer's reset
        case ENOBUFS:
            return 10055;
        case EISCONN:
            return 10056;
        case ENOTCONN:
            return 10057;
        case ESHUTDOWN:
            return 10058;
        case ETOOMANYREFS:
            return 10059;
        case ETIMEDOUT:
            return 10060;
        case ECONNREFUSED:
            return 10061;
        case ELOOP:
            return 10062;
        case ENAMETOOLONG:
            return 10063;
        case EHOSTDOWN:
            return 10064;
        case EHOSTUNREACH:
            return 10065;
        case ENOTEMPTY:
            return 10066;
        default:
            return value;
    }
}

// Asio reports getaddrinfo's failures in two categories of its own.
int FromNetdb(int value) {
    switch (value) {
        case HOST_NOT_FOUND:
            return 11001;
        case TRY_AGAIN:
            return 11002;
        case NO_RECOVERY:
            return 11003;
        case NO_DATA:
            return 11004;
        default:
            return value;
    }
}

int FromAddrinfo(int value) {
    switch (value) {
        case EAI_NONAME:
            return 11001;
        case EAI_AGAIN:
            return 11002;
        case EAI_FAIL:
            return 11003;
        case EAI_SERVICE:
            return 10109;  // WSATYPE_NOT_FOUND
        case EAI_SOCKTYPE:
            return 10044;
        case EAI_FAMILY:
            return 10047;
        case EAI_MEMORY:
            return 8;  // WSA_NOT_ENOUGH_MEMORY
        default:
            return value;
    }
}
#endif

}  // namespace

int WindowsSocketError(const boost::system::error_code& ec) {
#ifdef _WIN32
    return FromSystem(ec.value());
#else
    if (ec.category() == boost::asio::error::get_netdb_category()) return FromNetdb(ec.value());
    if (ec.category() == boost::asio::error::get_addrinfo_category())
        return FromAddrinfo(ec.value());
    return FromSystem(ec.value());
#endif
}

}  // namespace pellinor
