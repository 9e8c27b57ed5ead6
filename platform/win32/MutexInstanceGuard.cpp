// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/MutexInstanceGuard.h"

namespace tallywick {

MutexInstanceGuard::~MutexInstanceGuard() {
    if (mutex_ != nullptr) {
        ::CloseHandle(mutex_);
    }
}

bool MutexInstanceGuard::claim() {
    if (mutex_ != nullptr) {
        return true;
    }
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name_.c_str());
    const DWORD error = ::GetLastError();
    if (mutex == nullptr) {
        // A mutex of that name that we may not open is another copy's; any
        // other failure must not keep the program from starting.
        return error != ERROR_ACCESS_DENIED;
    }
    if (error == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        return false;
    }
    mutex_ = mutex;
    return true;
}

} // namespace tallywick
