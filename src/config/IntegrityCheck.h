#pragma once

#include <QString>

namespace XQTestDev {

class OperatorPrompt;

// What the callers show when the operator refuses a changed configuration.
inline const QString& integrityRefusedMessage() {
    static const QString text =
        QStringLiteral("Either or both of INI file(s) has changed and need the permissive use!.");
    return text;
}

// Recomputes the checksums of ATE.INI and PRODUCTS.INI; a file whose stored
// checksum differs must be accepted with the admin password asked through
// `prompt` (the InfoBox on a station), which then stores the new checksum.
// True when both files are accepted, false when the operator cancels.
bool checkConfigurationIntegrity(OperatorPrompt& prompt);

// The guard in front of a run: true when no admin password is set or both
// files are accepted; otherwise shows integrityRefusedMessage() (critical)
// and returns false.
bool configurationReleasedForRun();

} // namespace XQTestDev
