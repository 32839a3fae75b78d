#pragma once
// One writer at a time on a card: a change reads, changes and replaces the
// card while holding the advisory lock of the file it read, so that two
// writers never lose each other's change. The lock is the card's own (no
// lock file is left behind) and works on network folders that lock files.

#include "card/cardversion.h"

#include <QString>

#include <chrono>

enum class LockStatus {
    Held,
    Missing,   // no file at the path: nothing to lock
    Busy,      // another writer kept it past the patience given
    Failed,    // not a regular file, or it cannot be opened
};

// Waits (up to patience) for the lock of the file at path, links followed,
// and holds it while it lives. Held only when the file locked is still the
// one at path: a writer that replaced it meanwhile makes it start again.
class CardLock {
public:
    explicit CardLock(const QString &path, std::chrono::milliseconds patience = std::chrono::seconds(10));
    ~CardLock();
    CardLock(const CardLock &) = delete;
    CardLock &operator=(const CardLock &) = delete;

    LockStatus status() const { return m_status; }
    int fd() const { return m_fd; }   // open for reading when Held, else -1
    const CardFingerprint &fingerprint() const { return m_fingerprint; }

private:
    LockStatus m_status = LockStatus::Failed;
    int m_fd = -1;
    CardFingerprint m_fingerprint;
};
