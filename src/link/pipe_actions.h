#pragma once

// The action texts that pipe errors name, the same on every system.
namespace detail {

inline const char* const kWaitNamedPipe = "WaitNamedPipe";
inline const char* const kCreateFile = "CreateFile (pipe)";
inline const char* const kCreateNamedPipe = "CreateNamedPipe";
inline const char* const kConnectNamedPipe = "ConnectNamedPipe";
inline const char* const kDisconnectNamedPipe = "DisconnectNamedPipe";

}  // namespace detail
