#pragma once

namespace tavrinel::net {

// Initialises libcurl for the whole process exactly once; every curl handle of this library is
// made after a call to it. Safe to call from any number of threads at once: the first caller
// runs curl_global_init inside a function-local static and the others wait for it to finish.
// libcurl is never cleaned up again, because detached worker threads may still be inside a
// transfer when the process ends. Returns false when the initialisation failed.
bool EnsureCurlGlobalInit();

}  // namespace tavrinel::net
