#pragma once
// Tells whether another copy of the program runs for this user: a lock file
// in the user's runtime (or temporary) folder held for the whole run. A copy
// that crashed leaves a stale lock that QLockFile recognises and takes over.

#include <QString>
#include <memory>

class QLockFile;

class UnaCopia {
public:
    // `nombre` names the lock; tests use their own.
    explicit UnaCopia(const QString& nombre = QStringLiteral("quimbolo"));
    ~UnaCopia();
    // True when the lock is held by another running copy.
    bool OtraCorriendo() const { return otra_; }

private:
    std::unique_ptr<QLockFile> cerrojo_;
    bool otra_ = false;
};

// The question asked when another copy runs; true to go on.
bool PreguntarOtraCopia();
