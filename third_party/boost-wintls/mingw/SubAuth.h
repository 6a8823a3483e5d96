// Two fixes that let the vendored boost-wintls build with MinGW-w64 on Linux,
// kept here instead of as edits to its files. The library includes this
// header just before <schannel.h>, so both take effect in its own code only.
//
// 1. MinGW-w64 ships the header as <subauth.h>; Linux file names are case
//    sensitive, so the library's <SubAuth.h> lands here and is led to it.
// 2. The library asks for the TLS package with AcquireCredentialsHandleA and
//    UNISP_NAME, which <schannel.h> makes a wide string when UNICODE is
//    defined (as it is throughout this program). The narrow name is the one
//    that call takes.
#pragma once
// clang-format off
#include <subauth.h>
#include <schannel.h>
// clang-format on
#undef UNISP_NAME
#define UNISP_NAME UNISP_NAME_A
