#!/usr/bin/env bash
# run_short.sh SCRATCH FUZZER ARGS...: a short fuzzing run that starts from the
# checked-in corpus alone, so two runs with the same seed try the same inputs.
set -euo pipefail
scratch=$1
shift
rm -rf "$scratch"
mkdir -p "$scratch"
exec "$@"
