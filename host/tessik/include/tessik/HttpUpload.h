#pragma once

// What StreamAccessFactory::openURIWrite gives for "http" and "https" URIs:
//
// A writable, seekable stream that collects the bytes in memory. close() sends them in one
// PUT and throws tessik::Error on any failure (no connection, a status of 400 or more,
// "HTTP {status} for {uri}"), so a caller that closes learns whether its file arrived.
// Writing after close() throws. A stream destroyed without close() sends nothing: an
// upload is never made, and so never lost, behind the caller's back.
