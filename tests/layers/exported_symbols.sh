#!/usr/bin/env bash
# The shared library exports its public classes and the functions of its
# public headers (the message and prompt seams, the unattended switches), and
# nothing of its internals: prints what it exports beyond them and fails.
set -euo pipefail
library="$1"
public='XQTestDev::(XQUtility32|XQMenu32|XQGPIB32|XQReport32|XQSQL32|XQVirtualDevice32|XQLEDBar32)([^A-Za-z0-9_]|$)|XQTestDev::(setMessageHandler|setPromptHandler|runsUnattended|setHeadlessWindowsDriven|interruptWaits|waitsInterrupted|resumeWaits|abortRunInProgress)\('
exported=$(nm -DC --defined-only "$library" | cut -d' ' -f3- | grep 'XQTestDev::' || true)
grep -Eq 'XQTestDev::XQMenu32::SendData' <<<"$exported" || { echo "SendData is not exported"; exit 1; }
beyond=$(grep -Ev "$public" <<<"$exported" || true)
if [ -n "$beyond" ]; then
    echo "exported beyond the public classes:"
    echo "$beyond" | head -n 40
    exit 1
fi
echo "exports only the public classes ($(wc -l <<<"$exported") symbols)"
