#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Wine's output goes to a file first: processes
# that the first wine call starts inherit its stdout, and a reader of a pipe would wait for them.
export WINEDEBUG=${WINEDEBUG:--all}
unset DISPLAY
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
