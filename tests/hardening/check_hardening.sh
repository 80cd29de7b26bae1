#!/usr/bin/env bash
# Checks a built program for the release hardening: PIE, full RELRO, stack protector and
# fortified libc calls. Usage: check_hardening.sh BINARY CONFIG. Other configs than Release and
# RelWithDebInfo are not hardened on purpose: exit 77, which ctest reports as skipped.
set -euo pipefail
binary=$1
config=$2
case "$config" in
Release | RelWithDebInfo) ;;
*)
    echo "not a release build ($config): nothing to check"
    exit 77
    ;;
esac

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "MISSING: $what"
        failures=$((failures + 1))
    fi
}

header=$(readelf -h -W "$binary")
dynamic=$(readelf -d -W "$binary")
segments=$(readelf -l -W "$binary")
symbols=$(readelf --dyn-syms -W "$binary")

check "position-independent executable (type DYN)" grep -Eq 'Type:[[:space:]]+DYN' <<<"$header"
check "PIE flag in FLAGS_1" grep -Eq 'FLAGS_1.*[[:space:]]PIE' <<<"$dynamic"
check "RELRO segment (GNU_RELRO)" grep -q 'GNU_RELRO' <<<"$segments"
check "symbols bound at start-up (BIND_NOW)" \
    grep -Eq '\(BIND_NOW\)|\(FLAGS\).*[[:space:]]BIND_NOW|\(FLAGS_1\).*[[:space:]]NOW' <<<"$dynamic"
check "stack protector (__stack_chk_fail)" grep -q '__stack_chk_fail' <<<"$symbols"
check "fortified libc calls (*_chk)" grep -Eq '__[a-z_]+_chk(@|[[:space:]]|$)' <<<"$symbols"

if [ "$failures" -ne 0 ]; then
    echo "$binary lacks $failures of the hardening checks"
    exit 1
fi
